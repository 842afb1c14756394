#pragma once
// What the HTML view needs before the application object exists: the "cid" URL scheme (message
// parts by Content-ID) and the web engine's process settings for this machine.
namespace lark::intake::ui {

// Registers the "cid" scheme; without a sandbox-capable setup (running as root) the web engine's
// sandbox is switched off, and without a display GPU (offscreen, Xvfb) it renders in software.
// Settings already present in the environment are kept. Call once, before QApplication.
void prepareHtmlViewEnvironment();

} // namespace lark::intake::ui
