#pragma once
// The HTML page of a shown message: the zoom parameters every reader reads before it shows a
// message, and showing an HTML text on the tab "HTML". The view itself (a web view that
// serves cid: from IdMessage1 and refuses everything else) renders what the display holds.
#include "MessageDisplay.h"
#include "shell/AppContext.h"

namespace lark::intake {

// ZOOM ("Dummy Data" or empty becomes "70") as a factor (70 -> 0.70); ZoomFixed ("Dummy Data" or
// empty becomes "1") into ZoomFixedFlg. A ZOOM that is not a positive number gives 0.70.
double readZoomParameters(shell::AppContext& ctx);

// Brings page 0 to the front, shows the tab "HTML", enables the zoom actions and loads the text
// into the view at the zoom factor.
void showHtmlPage(shell::AppContext& ctx, MessageDisplay& display, const QString& html, double zoomFactor);

// The zoom range the HTML view can show.
inline constexpr double kMinZoom = 0.25;
inline constexpr double kMaxZoom = 5.0;

// One step of the zoom actions (Zoom_IncMgn, Zoom_DecMgn): brings the page "HTML" to the front and
// returns current + 10 % of it (zoomIn) or current - 10 % of it, kept inside the view's range.
// Unless ZoomFixedFlg is set, the new factor in percent (fraction cut off) becomes ZOOM.
double zoomStep(shell::AppContext& ctx, MessageDisplay& display, double current, bool zoomIn);

} // namespace lark::intake
