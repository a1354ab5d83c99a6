// The editor: the application, then the main window (which reads the configuration while it is
// created), then the dialogs; the windows live until the event loop ends.

#include <QApplication>
#include <QCommandLineParser>

#include "ui/about_dialog.h"
#include "ui/document_commands.h"
#include "ui/editor_pages.h"
#include "ui/main_window.h"
#include "ui/message_dialog.h"
#include "ui/rw_dialog.h"
#include "ui/shell_texts.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(qx::shell::kApplicationTitle));
  QApplication::setApplicationVersion(QStringLiteral("1.0"));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Programming tool for QX-4100 radios"));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption port(QStringLiteral("port"),
                                QStringLiteral("Use DEVICE as COM1 for this run (not saved)."),
                                QStringLiteral("DEVICE"));
  parser.addOption(port);
  parser.process(app);

  qx::MainWindowOptions options;
  options.programDir = QApplication::applicationDirPath();
  options.com1Device = parser.value(port);
  qx::installEditorPages(options);
  options.pages[qx::page::Channels] = qx::makeChannelGrid;

  qx::MainWindow form1(std::move(options));
  qx::AboutDialog aboutForm(&form1);
  form1.setAboutBox(&aboutForm);
  qx::MessageDialog message1(form1.codeplug(), &form1);
  qx::RwDialog rAndW(form1.codeplug(), message1, &form1);
  qx::DocumentCommands commands(form1, message1, rAndW);

  form1.show();
  return app.exec();
}
