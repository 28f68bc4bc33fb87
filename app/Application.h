#pragma once
#include <QApplication>

// The application object: an exception that escapes an event handler is shown in an error box
// and the program goes on.
class Application : public QApplication {
 public:
  Application(int& argc, char** argv);
  bool notify(QObject* destinataire, QEvent* evenement) override;
};
