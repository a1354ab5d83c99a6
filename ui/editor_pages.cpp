#include "ui/editor_pages.h"

#include "ui/band_page.h"
#include "ui/channel_grid.h"
#include "ui/channel_page.h"
#include "ui/dtmf_page.h"
#include "ui/function_page.h"
#include "ui/main_window.h"

namespace qx {

namespace {

// Re-texts `page` now (a language may be applied already) and after every language change.
template <typename Page>
void followLanguage(MainWindow& window, Page* page) {
  if (window.language().loaded()) page->retranslate(languageTextOf(window.language()));
  QObject::connect(&window, &MainWindow::languageApplied, page, [&window, page] { page->retranslate(languageTextOf(window.language())); });
}

template <typename Page>
void followCommMode(MainWindow& window, Page* page) {
  page->setCommunicationMode(window.commMode());
  QObject::connect(&window, &MainWindow::commModeChanged, page, &Page::setCommunicationMode);
}

}  // namespace

QWidget* makeFunctionPage(MainWindow& window) {
  auto* page = new FunctionPage(window.codeplug().settings());
  followCommMode(window, page);
  followLanguage(window, page);
  return page;
}

QWidget* makeDtmfPage(MainWindow& window) {
  auto* page = new DtmfPage(window.codeplug().settings());
  QObject::connect(&window, &MainWindow::firstShown, page, &DtmfPage::showFirstTab);
  followLanguage(window, page);
  return page;
}

QWidget* makeChannelPage(MainWindow& window) {
  auto* page = new ChannelPage(window.codeplug());
  followCommMode(window, page);
  followLanguage(window, page);
  if (auto* grid = qobject_cast<ChannelGrid*>(window.pageContents(page::Channels))) {
    QObject::connect(grid, &ChannelGrid::channelSelected, page, &ChannelPage::setChannelNumber);
    QObject::connect(grid, &ChannelGrid::openSingleChannel, page, [&window, page](int row) {
      window.showPage(page::SingleChannel);
      page->setChannelNumber(row);
    });
    // A field of the page taking the focus selects its cell in the grid; the cell's own column keeps
    // the grid's click from toggling a switch column.
    QObject::connect(page, &ChannelPage::gridCellWanted, grid,
                     [grid](int column, int row) { grid->selectCell(column, row); });
  }
  return page;
}

QWidget* makeSideKeyPage(MainWindow& window) {
  auto* page = new SideKeyPage(window.codeplug().settings());
  followLanguage(window, page);
  return page;
}

QWidget* makeBandPage(MainWindow& window) {
  auto* page = new BandPage(window.codeplug().settings());
  followLanguage(window, page);
  return page;
}

void installEditorPages(MainWindowOptions& options) {
  options.pages[page::Functions] = makeFunctionPage;
  options.pages[page::Dtmf] = makeDtmfPage;
  options.pages[page::SingleChannel] = makeChannelPage;
  options.pages[page::SideKeys] = makeSideKeyPage;
  options.pages[page::Bands] = makeBandPage;
}

}  // namespace qx
