#pragma once
// The reader with the parts it calls (GnuPG runs, TNEF extraction), bound to one display. The
// window's handlers own one; the headless reader makes a fresh one per file.
#include "EmlReader.h"
#include "GpgDecryption.h"
#include "MessageDisplay.h"
#include "TnefExtraction.h"
#include "shell/AppContext.h"

namespace lark::intake {

struct ReaderSession {
    ReaderSession(shell::AppContext& ctx, MessageDisplay& display)
        : gpg(ctx, display), tnef(ctx, display), reader(ctx, display, gpg, tnef)
    {
    }
    GpgDecryption gpg;
    TnefExtraction tnef;
    EmlReader reader;
};

} // namespace lark::intake
