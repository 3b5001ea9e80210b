#pragma once
#include "EntryShared.h"
#include "platform/ui/WizardPage.h"
#include "shell/ugListasAssistente.h"

#include <QList>
#include <QString>
#include <cstdint>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class TfmConEstab;
namespace db {
class Query;
}

// What the three maintenance wizards (multi-delete, transfer, contract type)
// share: the page frame with the picture "DEF", the reading of the chosen
// establishment, the changes of a set of contracts in one transaction, and
// their start from the establishment list.

// Names and captions of a page's buttons; an empty back name leaves it out.
struct MaintenanceButtons {
    const char* back = "btVoltar";
    const char* next = "btAvancar";
    const char* cancel = "btCancelar";
    const char* backText = "< &Voltar";
    const char* nextText = "&Avançar >";
    const char* cancelText = "&Cancelar";
};

forms::WizardFrame MaintenanceFrame(const char* objectName, const QString& caption, std::uint8_t* endFlag,
                                    const MaintenanceButtons& buttons, const char* memoName = nullptr);

// The establishment chosen in a wizard's combo: its row key and the text of
// the entry as it shows it.
struct ChosenEstablishment {
    QString anoBase;
    QString inscricao;   // 14 characters, as stored
    QString prefixo;
    QString entry;       // the combo's line
    QString Formatted() const { return entry.left(18).trimmed(); }
    QString Name() const;  // NoRazaoEstabelecimento of the row itself
};
// The current entry of the combo; false when none is chosen.
bool ChosenEntry(QComboBox* combo, ChosenEstablishment& chosen);

// The establishment pages: the drop-down list and the year panel added to the
// page's panel (under `text` as a label when given); on showing, the panel
// and the list refilled with no entry chosen (returns the base year); on
// Avançar, the chosen entry when its inscription is a valid CNPJ or CEI
// ("0050" to "0052" in `code`), else false after message 1301 or the code.
QComboBox* AddEstablishmentChoice(forms::WizardPage* page, const char* comboName, QLabel*& paInfo,
                                  const QString& text = QString());
QString RefillEstablishmentChoice(QComboBox* combo, QLabel* paInfo);
bool TakeValidEstablishment(QComboBox* combo, ChosenEstablishment& chosen, QString& code);

// The read-only "Estabelecimento selecionado " group of inscription, prefix
// and name.
QGroupBox* SelectedEstablishmentGroup(QWidget* parent, QLineEdit*& inscricao, const char* inscricaoName,
                                      const char* inscricaoLabel, QLineEdit*& prefixo, const char* prefixoName,
                                      QLineEdit*& nome, const char* nomeName, const char* nomeLabel);

// The number of contracts of an establishment.
int CountEstablishmentContracts(const QString& anoBase, const QString& inscricao, const QString& prefixo);

// Sets or clears (empty marker) the operation marker of an establishment.
void SetOperationMarker(const QString& anoBase, const QString& inscricao, const QString& prefixo,
                        const QString& marker);

// The contracts of one establishment whose keys (kept beside the list lines)
// are among `lines`, matched on all eleven key columns: the condition, with
// the establishment bound by name and each line's own columns taken from the
// JSON array :Chaves; and the running of a statement that ends in it over
// the lines a batch at a time, so that any number of lines costs a few
// statements of bounded size. Returns the rows the statements changed; lines
// without a whole contract key change nothing.
QString ContractKeysCondition();
int ExecForContractKeys(db::Query& query, const QString& anoBase, const QString& inscricao, const QString& prefixo,
                        const CheckedLines& lines);

// Starts a wizard from the establishment list: the list hides, the wizard
// runs, the list closes.
void StartMultiDeleteWizard(TfmConEstab* list = nullptr);   // Alt+F4
void StartTransferWizard(TfmConEstab* list = nullptr);      // Alt+F3
void StartContractTypeWizard(TfmConEstab* list = nullptr);  // Alt+F5

// Gives the list its Alt+F3, Alt+F4 and Alt+F5 and a context menu on its
// grid that offers the same three wizards (the desktop may take Alt+F4).
void InstallMaintenanceWizards(TfmConEstab* list);
