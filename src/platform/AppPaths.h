#pragma once
#include <QString>

// Where the program finds its folders. Tests point the program folder at a
// temporary directory.
namespace AppPaths {

// The program's folder with a trailing separator.
QString programFolder();
void setProgramFolder(const QString& folder);

// The data folder "Dados" beside the program (matched without regard to case).
QString dataFolder();

// A file or folder name inside a folder, matched without regard to letter case;
// the name as given when nothing matches.
QString findNoCase(const QString& folder, const QString& name);

}  // namespace AppPaths
