#pragma once
// Factories of the main window's pages 1 to 5 (functions, DTMF, single channel, side keys, bands).
// Each builds its page over the window's codeplug and ties it to the window: the communication mode,
// the language applied, the first show, and (single channel) the channel grid of page 0.

class QWidget;

namespace qx {

class MainWindow;
struct MainWindowOptions;

QWidget* makeFunctionPage(MainWindow& window);
QWidget* makeDtmfPage(MainWindow& window);
QWidget* makeChannelPage(MainWindow& window);
QWidget* makeSideKeyPage(MainWindow& window);
QWidget* makeBandPage(MainWindow& window);

// Puts the five factories into their page slots.
void installEditorPages(MainWindowOptions& options);

}  // namespace qx
