#pragma once
#include "declfile/DeclarationWriter.h"
#include "declfile/ugAnaliseEstrutura.h"
#include "support/PreviousYearFile.h"

#include <QByteArray>
#include <QString>
#include <QVector>
#include <functional>

// A small declaration for the analyser's tests: the person responsible, three
// establishments (A with three contracts, B declared without employees, C with
// one contract) and the file the writer makes of them.
namespace analyserfixture {

inline const QString kInscricaoA = QStringLiteral("11222333000181");
inline const QString kInscricaoB = QStringLiteral("22333444000172");
inline const QString kInscricaoC = QStringLiteral("33444555000163");

// Fills BD8Resp, BD8Emp and BD8Vinc of the data folder.
void SeedDeclaration(const QString& dataFolder);

// Writes the declaration (or the working tables) with the writer and returns
// the bytes of the file; the file itself is removed.
QByteArray WriteFile(const QString& dataFolder, bool fromWorkingTables, const QString& crea = QString());

// Record n (from 1) of a file whose records take `step` bytes.
QByteArray RecordOf(const QByteArray& file, int n, int step = 552);
// Puts bytes at a column (from 1) of record n.
void Put(QByteArray& file, int record, int column, const QByteArray& bytes, int step = 552);
// The records of a file with other line ends (each record's CR LF replaced).
QByteArray WithLineEnds(const QByteArray& crlfFile, const QByteArray& lineEnd);

struct Finding {
    QString anBase, coMsg, sequencia, inscricaoPrefixo, tipoCampo, posicaoInicial, conteudo;
};
QVector<Finding> ReadFindings(const QString& dataFolder);

// Progress and events for a test: records the positions and can ask the
// analysis to stop when it lets events through for the n-th time.
class TestHost : public declfile::WriterHost {
public:
    void SetProgressMaximum(int maximum) override { maximum_ = maximum; }
    void SetProgress(int position) override { positions.push_back(position); }
    void ProcessEvents() override {
        ++pumps;
        if (onPump) onPump(pumps);
    }
    QVector<int> positions;
    int pumps = 0;
    int maximum_ = 0;
    std::function<void(int)> onPump;
};

struct Outcome {
    int result = -1;
    int establishments = -1;
    int contracts = -1;
};

struct AnalyseOptions {
    bool previousYear = false;
    bool zeroPay = false;
    bool keepCopy = false;
    quint16 baseYear = 2009;
    TestHost* host = nullptr;
    declfile::TAnaliseEstrutura* analyser = nullptr;
};

// Writes the bytes to a file outside the data folder and analyses it.
Outcome AnalyseBytes(const QString& dataFolder, const QByteArray& bytes, const AnalyseOptions& options = {});

bool WorkTablesExist(const QString& dataFolder);

}  // namespace analyserfixture
