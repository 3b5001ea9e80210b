#pragma once
#include <QByteArrayView>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class QComboBox;
class QListWidget;

// The fixed-width lines of the establishment and employee lists of the wizard
// pages, and the recovery of an operation left open on an establishment.
//
// Every line keeps the full key of its row: an establishment's AnBase,
// CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento; a contract's the eleven
// columns of the BD8Vinc key in key order (DeclarationTables::ContractKey()).
// A combo keeps it as the entry's data; a check list keeps the keys of all its
// lines beside it, once, packed in line order, so that a list of many
// thousand contracts stays small. The pages find their rows again by that
// key, never by cutting the shown text apart.

// Line layouts (columns as the pages expect them).
QString EstablishmentLine(const QString& inscricao, const QString& tipoInscricao, const QString& prefixo,
                          const QString& razaoSocial);
QString EmployeeLine(const QString& pisPasep, const QString& admissao, const QString& nome, QChar order);

// Fills the combo with the establishments of the year; filter 'N' leaves out
// the declarations without employees.
void FillEstablishmentCombo(QComboBox* combo, const QString& anoBase, QChar filter);
// The same for a check list; order '0' by inscription and prefix, else by name.
void FillEstablishmentCheckList(QListWidget* list, const QString& anoBase, QChar filter, QChar order);
// The contracts of one establishment; order '0' by PIS/PASEP, else by name.
// A long list shows its progress once it takes more than half a second.
void FillEmployeeCheckList(QListWidget* list, const QString& anoBase, const QString& inscricao,
                           const QString& prefixo, QChar order);

// The keys a check list keeps beside its lines (defined with the lists).
class LineKeyRows;

// The ticked lines of a check list, in list order. Each is only its row in
// the keys the list keeps beside its lines, which the collected lines share
// and keep alive however the list changes afterwards: a collection of many
// thousand contracts holds no text and no key of its own.
class CheckedLines {
public:
    CheckedLines();
    ~CheckedLines();
    int size() const { return int(rows_.size()); }
    bool isEmpty() const { return rows_.empty(); }
    void clear();
    // The line as the pages show it: its first 65 characters.
    QString Line(int i) const;
    // The row's full key (empty when the list kept none).
    QStringList Key(int i) const;
    // The columns of the key that every line shares (a contract list's
    // establishment), the number of each line's own columns after them, and
    // one of those as stored (UTF-8), with no text made.
    QStringList SharedKey() const;
    int OwnKeyColumns() const;
    QByteArrayView OwnKeyColumn(int i, int column) const;

private:
    friend int CollectCheckedLines(QListWidget* list, CheckedLines& lines);
    std::shared_ptr<const LineKeyRows> keys_;
    std::vector<int> rows_;
    QStringList texts_;  // the cut lines of a list whose keys do not make them
};
// The ticked lines in list order; returns how many.
int CollectCheckedLines(QListWidget* list, CheckedLines& lines);

// The key kept beside a line of the combo or list.
QStringList LineKey(QComboBox* combo, int index);
QStringList LineKey(QListWidget* list, int row);

// Length of the longest item text, 0 for an empty list.
quint16 MaxItemLength(QListWidget* list);

// Reports an operation left open on the establishment (messages 0500-0504)
// and clears its marker.
void RecoverInterruptedOperation(const QString& anoBase, const QString& inscricao, const QString& prefixo);
