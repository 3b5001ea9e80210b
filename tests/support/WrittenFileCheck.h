#pragma once
#include <QString>
#include <QStringList>
#include <string>

// What the program itself says of a declaration file a journey wrote: the
// structure analysis and then the whole-declaration check over what it
// loaded, both as the analysis wizard runs them. The working tables stay for
// the caller to read; the next analysis replaces them.
struct FileVerdict {
    int analysis = -1;       // 0 sound, 8 sound and an amendment; other values: refused
    int establishments = 0;  // as the analysis counted them
    int contracts = 0;
    int check = -1;          // the check's bits: 2 errors, 1 warnings; -1 not run
    QStringList errors;      // the errors found, "code/field label"

    bool Accepted() const { return (analysis == 0 || analysis == 8) && check >= 0 && (check & 2) == 0; }
    std::string Describe() const;
};

FileVerdict CheckWrittenFile(const QString& path, const QString& dataFolder, int anoBase = 2009);
