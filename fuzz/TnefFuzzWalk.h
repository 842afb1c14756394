#pragma once
// The exhaustive walk the fuzzer runs over every input (and the regression test over every
// input the fuzzer once failed on): all attributes, all properties and values, read in each of
// the ways the readers offer, some left to the readers' skipping. Throws TnefError on a
// malformed stream like the readers do.
#include "tnef/TnefAttribute.h"
#include "tnef/TnefPropertyReader.h"
#include "tnef/TnefReader.h"

#include <QBuffer>

namespace lark::tnef::fuzz {

inline void readEveryProperty(TTnefPropertyReader& properties, unsigned& turn)
{
    while (properties.NextProperty()) {
        const TTnefPropertyTag* tag = properties.PropertyTag();
        if (const TTnefPropertyName* name = properties.PropertyName())
            (void)name->Name().size();
        // Leave some properties entirely to the reader's skipping.
        if (++turn % 5 == 0)
            continue;
        while (properties.NextValue()) {
            const TTnefPropertyType type = tag->PropertyType();
            switch (turn++ % 4) {
            case 0:
                if (type == ptString8 || type == ptUnicode || type == ptBinary)
                    (void)properties.ReadStringValue();
                break;
            case 1:
                if (isLengthPrefixed(type) || type == ptClassId)
                    (void)properties.ReadBytesValue();
                break;
            case 2:
                (void)properties.ReadBytes(qMin<qint64>(properties.ValueLength(), 3));
                break;
            default:
                break; // left to the skipping
            }
        }
    }
}

inline void walkEveryValue(QIODevice& source)
{
    TTnefReader reader(source);
    unsigned turn = 0;
    while (reader.NextAttribute()) {
        (void)reader.AttributeType();
        switch (reader.AttributeTag()) {
        case agAttachTitle: {
            TAttachTitleAttribute title(reader);
            title.Load();
            break;
        }
        case agAttachData: {
            QBuffer sink;
            sink.open(QIODevice::WriteOnly);
            TAttachDataAttribute data(reader, sink);
            data.Load();
            break;
        }
        case agMapiProperties:
        case agAttachment: {
            TAttachmentAttribute attribute(reader);
            attribute.Load();
            readEveryProperty(attribute.PropertyReader(), turn);
            break;
        }
        default:
            break;
        }
    }
}

} // namespace lark::tnef::fuzz
