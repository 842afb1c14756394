#pragma once
// The five visual styles: "Windows" is the platform's own style, the other four are Fusion with
// a palette of their own (light, dark, pale blue "polar", classic grey).
#include <QString>

namespace lark::shell {

// Selects style number n (0 to 4) for the application; other numbers select nothing. Returns
// whether a style was selected.
bool selectStyle(int n);
// The style of a start: the number from the command line for this run, else the saved one.
struct StartOptions;
void selectStartStyle(const StartOptions& options, int savedTheme);
// True when the platform's own style is in force.
bool systemStyleInForce();
// Name of the style in force ("" before any selection).
QString currentStyleName();

} // namespace lark::shell
