#pragma once
// DecryptTnefA1: writes the TNEF attachments of the first list into the working folder, unpacks
// each into "2nd" with the TNEF decoder and lists what was unpacked in ListView2, each file once.
#include "MessageDisplay.h"
#include "platform/Result.h"
#include "shell/AppContext.h"

namespace lark::intake {

class TnefExtraction {
public:
    TnefExtraction(shell::AppContext& ctx, MessageDisplay& display) : m_ctx(ctx), m_display(display) {}

    // The action. A decoder error ends it and is returned with the decoder's text (the caller
    // shows it); entries listed before the error stay.
    Status DecryptTnefA1();

    // Whether a first-level entry is unpacked: its part is of type application/ms-tnef, or it is
    // named winmail.dat.
    bool isTnefEntry(const QString& caption) const;

private:
    shell::AppContext& m_ctx;
    MessageDisplay& m_display;
};

} // namespace lark::intake
