#pragma once
// New, Open, Save, Save As, Close, Exit, the file named on the command line and files dropped on the
// window.
#include <string>

namespace document {

void newDocument();
void openDocument();
void saveDocument();
void saveDocumentAs();
void closeDocument();
void exitProgram();
void openCommandLineFile();
// A file dropped on the window opens as if chosen in the Open dialog.
void openDroppedFile(const std::string& path);
// Windows asks before a log-off or shutdown; true lets the session end.
bool maySessionEnd();
// The session is ending: settings and the exit sequence as on Exit.
void endSession();

}  // namespace document
