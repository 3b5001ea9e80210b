#pragma once
#include <QMap>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace db {
class DataSet;
}

// What the establishment and contract pages of the file consultation show for
// one row of the working tables, worked out without any widget: the text of
// each edit and panel, the option buttons selected and the buttons enabled,
// all by the controls' names. The pages then put it on their controls.
namespace declfile {

struct ViewContent {
    QMap<QString, QString> texts;   // edit or panel -> its text
    QMap<QString, bool> checked;    // option button -> selected
    QMap<QString, bool> enabled;    // button -> enabled
};

// A value of the current row by field name.
using RowValues = std::function<QString(const QString& field)>;
RowValues ValuesOf(db::DataSet& dataSet);

// The lookup tables the pages name codes by.
enum class ConsultaLookup {
    Cnae, NaturezaJuridica, Nacionalidade, Instrucao, Raca, Deficiente, Admissao, Salario, Cbo, Vinculo,
    Desligamento, Afastamento,
};
// The name a lookup table gives the code; nothing when the table lacks it.
using LookupName = std::function<std::optional<QString>(ConsultaLookup table, const QString& code)>;
// The main data module's lookup tables, searched on their primary index.
LookupName LobrixLookupNames();

// The summary page: the person responsible (Te8Resp).
ViewContent ResponsibleViewContent(const RowValues& row);
ViewContent EstablishmentViewContent(const RowValues& row, int anoBase, const LookupName& lookup);
ViewContent EmployeeViewContent(const RowValues& row, const LookupName& lookup);

// Empties every edit among the form's children.
void ClearViewEdits(QWidget* form);
// Puts the content on the form's controls found by name.
void ShowViewContent(QWidget* form, const ViewContent& content);

}  // namespace declfile
