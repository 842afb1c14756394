#include "Commands.h"

namespace lark::cli {

int cmdTnef(CliContext& ctx, const QStringList& args);
int cmdInitDb(CliContext& ctx, const QStringList& args);
int cmdStore(CliContext& ctx, const QStringList& args);
int cmdList(CliContext& ctx, const QStringList& args);
int cmdSearch(CliContext& ctx, const QStringList& args);
int cmdExport(CliContext& ctx, const QStringList& args);
int cmdDelete(CliContext& ctx, const QStringList& args);
int cmdShow(CliContext& ctx, const QStringList& args);

const QList<Command>& commands()
{
    static const QList<Command> table = {
        {"tnef", "tnef FILE DIR      unpack a TNEF file (winmail.dat) into DIR; prints the files written", cmdTnef},
        {"init-db", "init-db PATH      create an empty mail archive at PATH (on --host when given)", cmdInitDb},
        {"store", "store [--batch N] FILE...  read and store mail files; prints stored/failed per file", cmdStore},
        {"list", "list [--json] [--sort FIELD] [--asc|--desc] [--body]  the stored messages, newest first",
         cmdList},
        {"search", "search [--from D] [--to D] [--subject PAT] [--sender PAT] [--body LINE]... [--and] "
                   "[--json] [--sort FIELD] [--asc|--desc] [--show-body]  the messages the search finds",
         cmdSearch},
        {"export", "export --id ID --date \"yyyy/MM/dd HH:mm:ss\" (--out PATH | --dir DIR)  write a stored file",
         cmdExport},
        {"delete", "delete --id ID --date \"yyyy/MM/dd HH:mm:ss\"  delete a stored message", cmdDelete},
        {"show", "show FILE [--json] [--gpg PATH]  read a mail file and print what the window shows", cmdShow},
    };
    return table;
}

} // namespace lark::cli
