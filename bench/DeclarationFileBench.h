#pragma once
// What the benchmarks over a large declaration file share: a program folder
// with a fresh copy of the data folder, a small declaration written by the
// writer, that file enlarged to many contracts, and the peak memory.
#include "BenchSupport.h"
#include "declfile/DeclarationWriter.h"
#include "platform/AppPaths.h"
#include "platform/db/Table.h"
#include "platform/os/Drives.h"
#include "shell/UdmLobrix.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace benchfile {

// The program folder's Dados, copied from the built one; dmLobrix on it.
inline QString PrepareProgramFolder(const QTemporaryDir& dir) {
    const QString dados = bench::CopyProgramFolder(dir);
    dmLobrix = new TdmLobrix;
    return dados;
}

// The declaration tables written by the writer in one part to a "diskette"
// as large as the part needs; the part's path, empty when the writer failed.
inline QString WriteOnePart(const QTemporaryDir& dir, const QString& dados, declfile::WriterHost& host) {
    const QString diskette = dir.filePath(QStringLiteral("A"));
    QDir().mkpath(diskette);
    drives::SetDrive('A', {diskette, drives::DriveType::Removable, 1000LL * 1000 * 1000});
    declfile::WriteRequest request;
    request.drive = 'A';
    request.dataFolder = dados;
    request.generationDate = QStringLiteral("15012010");
    declfile::WriterState state;
    const int written = declfile::WriteDeclarationFile(request, state, host);
    drives::RemoveDrive('A');
    return written == declfile::kWritten ? state.ArquivoGerado : QString();
}

inline void set(db::Table& t, const char* field, const QString& value) {
    t.FieldByName(QLatin1String(field)).SetAsString(value);
}

inline QString Inscription(int e) {
    return QStringLiteral("%1").arg(11222333000100LL + e * 1000 + 81, 14, 10, QChar('0'));
}

// A small declaration in the declaration tables: one contract per establishment.
inline void Seed(const std::shared_ptr<db::Database>& database, int establishments) {
    db::Table resp(database, QStringLiteral("bd8resp.DB"));
    resp.Open();
    resp.Append();
    set(resp, "CoCgcCeiResponsavel", "11222333000181");
    set(resp, "InInscrResponsavel", "1");
    set(resp, "NoResponsavelArquivo", "EMPRESA RESPONSAVEL");
    set(resp, "NuRespostaPesquisa", "1234567890123456789012");
    resp.Post();
    db::Table emp(database, QStringLiteral("Bd8emp.DB"));
    db::Table vinc(database, QStringLiteral("Bd8vinc.DB"));
    emp.Open();
    vinc.Open();
    for (int e = 0; e < establishments; ++e) {
        emp.Append();
        set(emp, "AnBase", "2009");
        set(emp, "CoCgcCeiEstabelecimento", Inscription(e));
        set(emp, "NuPrefixoEstabelecimento", "00");
        set(emp, "NoRazaoEstabelecimento", QStringLiteral("ESTABELECIMENTO %1").arg(e));
        set(emp, "CoMunicipio", "3550308");
        set(emp, "CoCnae2", "0111301");
        set(emp, "CoNaturezaJuridica", "2062");
        set(emp, "InInscrEstabelecimento", "1");
        set(emp, "InZuvoNegEstabelecimento", "0");
        set(emp, "InParticipaPAT", "2");
        set(emp, "InOptanteSimples", "2");
        emp.Post();
        vinc.Append();
        set(vinc, "AnBase", "2009");
        set(vinc, "CoCgcCeiEstabelecimento", Inscription(e));
        set(vinc, "NuPrefixoEstabelecimento", "00");
        set(vinc, "CoPisPasepEmpregado", "10000000001");
        set(vinc, "DaAdmissaoEmpregado", "01032005");
        set(vinc, "NoEmpregado", "EMPREGADO MODELO");
        set(vinc, "CoNacionalidade", "10");
        set(vinc, "CoInstrucao", "02");
        set(vinc, "CoCbo", "111105");
        set(vinc, "CoTipoAdmissao", "2");
        set(vinc, "CoTipoSalarioContratual", "1");
        set(vinc, "CoVinculo", "10");
        set(vinc, "CoCausaDesligamento", "00");
        set(vinc, "CoMunicipioTrabalho", "3550308");
        for (const char* m : {"VaJaneiroEmpregado", "VaFevereiroEmpregado", "VaMarcoEmpregado", "VaDezembroEmpregado"})
            set(vinc, m, "000250000");
        vinc.Post();
    }
}

inline QByteArray seq(int n) { return QByteArray::number(n).rightJustified(6, '0'); }

// The seeded declaration written by the writer; empty when it failed.
inline QByteArray WriteSmallFile(const QString& dados) {
    declfile::WriteRequest request;
    request.dataFolder = dados;
    request.generationDate = QStringLiteral("15012010");
    declfile::WriterState state;
    declfile::WriterHost quiet;
    if (declfile::WriteDeclarationFile(request, state, quiet) != declfile::kWritten) return QByteArray();
    QFile small(state.ArquivoGerado);
    if (!small.open(QIODevice::ReadOnly)) return QByteArray();
    return small.readAll();
}

// The small file's records, each establishment's contract repeated with its
// own PIS/PASEP and the name given, renumbered, with the trailer's totals.
inline QByteArray Enlarge(const QByteArray& small, int establishments, int contractsEach,
                          const std::function<QByteArray(int contract)>& nameOf) {
    constexpr int step = 552;
    QByteArray out;
    out.reserve(qsizetype(step) * (2 + establishments * (1 + contractsEach)));
    int n = 0;
    auto add = [&](QByteArray rec) {
        rec.replace(0, 6, seq(++n));
        out += rec;
    };
    add(small.mid(0, step));
    for (int e = 0; e < establishments; ++e) {
        add(small.mid(step * (1 + 2 * e), step));
        const QByteArray model = small.mid(step * (2 + 2 * e), step);
        for (int c = 0; c < contractsEach; ++c) {
            QByteArray rec = model;
            rec.replace(23, 11, QByteArray::number(20000000000LL + e * contractsEach + c));
            rec.replace(34, 20, nameOf(c).leftJustified(20, ' ', true));
            add(rec);
        }
    }
    QByteArray trailer = small.right(step);
    trailer.replace(23, 6, seq(establishments));
    trailer.replace(29, 6, seq(establishments * contractsEach));
    add(trailer);
    return out;
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

inline long PeakMemoryKb() { return bench::PeakMemoryKb(); }

}  // namespace benchfile
