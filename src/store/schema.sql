-- Larkspur mail archive: tables, view and indexes of an empty archive.
-- The database itself is created with the default character set UNICODE_FSS and a page
-- size of 16384; the statements below are run in order, one at a time, each ended by ";".

-- One message index record per stored message.
CREATE TABLE Message_IdxTbl (
  Message_ID      VARCHAR(256) NOT NULL,
  Message_Date    TIMESTAMP NOT NULL,
  Account_Key     VARCHAR(256),
  Sender_Name     VARCHAR(64),
  Sender_Address  VARCHAR(256),
  Recieve_Name    VARCHAR(64),
  Recieve_Address VARCHAR(256),
  Message_Subject VARCHAR(256),
  Message_dtype   VARCHAR(1),
  Message_ftype   VARCHAR(1),
  MailBody        BLOB SUB_TYPE TEXT,
  CONSTRAINT PK_Message_IdxTbl PRIMARY KEY (Message_ID, Message_Date)
);

-- One message data record (the mail file, byte for byte) per stored message.
CREATE TABLE Message_DatTBL (
  Message_ID       VARCHAR(256) NOT NULL,
  Message_Date     TIMESTAMP NOT NULL,
  Message_FileName VARCHAR(256),
  Message_FileExt  VARCHAR(16),
  MailDat          BLOB SUB_TYPE BINARY,
  CONSTRAINT PK_Message_DatTBL PRIMARY KEY (Message_ID, Message_Date)
);

-- The list opens newest first and flips to oldest first on a title click; both orders are
-- read straight from an index, so the first rows of a big archive come without a sort.
CREATE DESCENDING INDEX IX_Message_IdxTbl_DateDesc ON Message_IdxTbl (Message_Date, Message_ID);
CREATE ASCENDING INDEX IX_Message_IdxTbl_DateAsc ON Message_IdxTbl (Message_Date, Message_ID);

-- The message list: one row per index record, with the stored file's name.
CREATE VIEW MAIL_VIEW (
  MESSAGE_ID, MESSAGE_DATE, ACCOUNT_KEY, SENDER_NAME, SENDER_ADDRESS, RECIEVE_NAME,
  RECIEVE_ADDRESS, MESSAGE_SUBJECT, MESSAGE_FILENAME, MAILBODY
) AS
SELECT i.Message_ID, i.Message_Date, i.Account_Key, i.Sender_Name, i.Sender_Address,
       i.Recieve_Name, i.Recieve_Address, i.Message_Subject, d.Message_FileName, i.MailBody
FROM Message_IdxTbl i
LEFT JOIN Message_DatTBL d
  ON d.Message_ID = i.Message_ID AND d.Message_Date = i.Message_Date;
