#pragma once
// The five visual styles by number, as the settings key Theme and the theme actions count them.
#include <QString>

namespace lark::shell {

struct StyleInfo {
    int number;
    const char* name;       // name the style is registered under
    const char* action;     // theme action
    const char* caption;    // action caption
    const char* menuCaption;
};

inline constexpr StyleInfo kStyles[5] = {
    {0, "Windows", "Theme0", "システム設定を使用する", "システム設定を使用する(&Z)"},
    {1, "Windows11 Modern Light", "Theme1", "ライト", "ライト(&Y)"},
    {2, "Windows11 Modern Dark", "Theme2", "ダーク", "ダーク (&D)"},
    {3, "Windows11 Polar Light", "Theme3", "オーロラ", "オーロラ(&W)"},
    {4, "Windows10", "Theme4", "クラシック", "クラシック(&X)"},
};

inline bool isStyleNumber(int n) { return n >= 0 && n <= 4; }

} // namespace lark::shell
