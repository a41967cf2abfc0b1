#pragma once
// New, Open, Save, Save As, Close, Exit and the file named on the command line.

namespace document {

void newDocument();
void openDocument();
void saveDocument();
void saveDocumentAs();
void closeDocument();
void exitProgram();
void openCommandLineFile();

}  // namespace document
