// Larkspur: the GUI program.
#include "Composition.h"

#include "shell/ui/AppEntry.h"

int main(int argc, char** argv)
{
    return lark::shell::runEntry(argc, argv, lark::app::entryHooks());
}
