#include "document/document_commands.h"

#include "app/startup.h"
#include "settings/settings.h"

namespace document {

void newDocument() {}
void openDocument() {}
void saveDocument() {}
void saveDocumentAs() {}
void closeDocument() {}

void exitProgram() {
  settings::saveSettingsAtExit();
  app::exitSequence();
}

void openCommandLineFile() {}

}  // namespace document
