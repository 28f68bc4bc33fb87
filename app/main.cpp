#include <exception>

#include "Application.h"
#include "Dialogues.h"
#include "Traductions.h"
#include "Unit1.h"
#include "Unit3.h"

int main(int argc, char** argv) {
  Application application(argc, argv);
  // The application title; Qt would append a display name to every window caption.
  application.setApplicationName("Quintrel v0.1");
  platform::ChargerTraductionsFrancaises(application);
  try {
    TForm1 Form1;
    TForm3 Form3(&Form1);
    Form1.Form3 = &Form3;
    Form1.show();
    application.exec();
  } catch (const std::exception& e) {
    platform::AfficherMessage(nullptr, platform::Style::Erreur, "Quintrel v0.1",
                              QString::fromLocal8Bit(e.what()));
  }
  return 0;
}
