#include "MaintenanceWizards.h"

#include "QueryGrid.h"
#include "platform/db/Query.h"
#include "platform/ui/EntryWidgets.h"
#include "platform/ui/Forms.h"
#include "rules/ugRegrasIdentificacao.h"
#include "shell/ugFuncoes.h"
#include "shell/DeclarationTables.h"
#include "shell/UdmLobrix.h"
#include "shell/udmDadosResp.h"
#include "shell/udmEntradaDados.h"
#include "ufmAltVinculo00.h"
#include "ufmConEstab.h"
#include "ufmCopEstab00.h"
#include "ufmCopEstabRegras.h"
#include "ufmExclMult00.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

forms::WizardFrame MaintenanceFrame(const char* objectName, const QString& caption, std::uint8_t* endFlag,
                                    const MaintenanceButtons& b, const char* memoName) {
    forms::WizardFrame f;
    f.objectName = QString::fromLatin1(objectName);
    f.caption = caption;
    // Every page loads the same picture: the first page's own copy is what the others would take.
    static const QImage picture = WizardPicture();
    f.picture = picture;
    const QString stem = f.objectName.mid(2);
    f.pictureName = QStringLiteral("im") + stem;
    f.bevelName = QStringLiteral("be") + stem;
    f.panelName = QStringLiteral("pa") + stem + QStringLiteral("Corpo");
    f.memoName = memoName ? QString::fromLatin1(memoName) : QString();
    f.backName = QString::fromLatin1(b.back);
    f.nextName = QString::fromLatin1(b.next);
    f.cancelName = QString::fromLatin1(b.cancel);
    f.backText = QString::fromUtf8(b.backText);
    f.nextText = QString::fromUtf8(b.nextText);
    f.cancelText = QString::fromUtf8(b.cancelText);
    // 650 x 380 on wide screens, where the contents grow by 4/3.
    f.design = QSize(488, 285);
    f.wide = QSize(650, 380);
    f.endFlag = endFlag;
    f.closeBox = false;
    return f;
}

QString ChosenEstablishment::Name() const {
    db::Table& t = dmEntradaDados->ta8Empresa;
    const bool wasOpen = t.Active();
    if (!wasOpen) t.Open();
    const QString name =
        t.FindKey({anoBase, inscricao, prefixo}) ? t.FieldByName(QStringLiteral("NoRazaoEstabelecimento")).AsString() : QString();
    if (!wasOpen) t.Close();
    return name;
}

bool ChosenEntry(QComboBox* combo, ChosenEstablishment& chosen) {
    const int index = combo->currentIndex();
    if (index < 0 || combo->currentText().isEmpty()) return false;
    const QStringList key = LineKey(combo, index);
    if (key.size() < 3) return false;
    chosen = {key[0], key[1], key[2], combo->itemText(index)};
    return true;
}

QComboBox* AddEstablishmentChoice(forms::WizardPage* page, const char* comboName, QLabel*& paInfo,
                                  const QString& text) {
    if (!text.isEmpty()) {
        auto* label = new QLabel(text, page->Panel());
        label->setWordWrap(true);
        page->PanelLayout()->addWidget(label);
    }
    auto* combo = new QComboBox(page->Panel());
    combo->setObjectName(QString::fromLatin1(comboName));
    paInfo = new QLabel(page->Panel());
    paInfo->setObjectName(QStringLiteral("paInfo"));
    paInfo->setAlignment(Qt::AlignCenter);
    page->PanelLayout()->addWidget(combo);
    if (!text.isEmpty()) page->PanelLayout()->addStretch();
    page->PanelLayout()->addWidget(paInfo);
    QObject::connect(combo, &QComboBox::currentTextChanged, combo, &QWidget::setToolTip);
    return combo;
}

QString RefillEstablishmentChoice(QComboBox* combo, QLabel* paInfo) {
    const QString anoBase = QString::number(DeclarationBaseYear());
    paInfo->setText(QStringLiteral("Informações do Ano-Base ") + anoBase);
    // Only the declarations with employees.
    FillEstablishmentCombo(combo, anoBase, QLatin1Char('N'));
    combo->setCurrentIndex(-1);
    combo->setFocus();
    return anoBase;
}

bool TakeValidEstablishment(QComboBox* combo, ChosenEstablishment& chosen, QString& code) {
    if (!ChosenEntry(combo, chosen)) {
        ShowMessageByCode(QStringLiteral("1301"));
        return false;
    }
    code = CheckInscription(PadLeftZeros(StripMaskChars(chosen.Formatted()), 14));
    if (code == QLatin1String("0050") || code == QLatin1String("0051") || code == QLatin1String("0052")) return true;
    ShowMessageByCode(code);
    return false;
}

QGroupBox* SelectedEstablishmentGroup(QWidget* parent, QLineEdit*& inscricao, const char* inscricaoName,
                                      const char* inscricaoLabel, QLineEdit*& prefixo, const char* prefixoName,
                                      QLineEdit*& nome, const char* nomeName, const char* nomeLabel) {
    auto* group = new QGroupBox(QStringLiteral("Estabelecimento selecionado "), parent);
    auto* form = new QFormLayout(group);
    // Each caption above its box: the long ones would leave the boxes a few characters wide.
    form->setRowWrapPolicy(QFormLayout::WrapAllRows);
    form->setVerticalSpacing(2);
    auto box = [&](const char* name, const char* label) {
        auto* e = new QLineEdit(group);
        e->setObjectName(QString::fromLatin1(name));
        e->setReadOnly(true);
        ui::ShowFromStart(e);
        e->setFocusPolicy(Qt::NoFocus);
        form->addRow(QString::fromUtf8(label), e);
        return e;
    };
    inscricao = box(inscricaoName, inscricaoLabel);
    prefixo = box(prefixoName, "Prefixo");
    nome = box(nomeName, nomeLabel);
    return group;
}

int CountEstablishmentContracts(const QString& anoBase, const QString& inscricao, const QString& prefixo) {
    return dmEntradaDados->CountContracts(anoBase, inscricao, prefixo);
}

void SetOperationMarker(const QString& anoBase, const QString& inscricao, const QString& prefixo,
                        const QString& marker) {
    db::Query q(TdmLobrix::OpenAlias());
    q.SetSQL(QStringLiteral("update BD8Emp set InOpcaoAberta = :InOpcaoAberta where AnBase = :AnBase and "
                            "CoCgcCeiEstabelecimento = :CoCgcCeiEstabelecimento and "
                            "NuPrefixoEstabelecimento = :NuPrefixoEstabelecimento"));
    q.ParamByName(QStringLiteral("InOpcaoAberta")).AsString = marker;
    q.ParamByName(QStringLiteral("AnBase")).AsString = anoBase;
    q.ParamByName(QStringLiteral("CoCgcCeiEstabelecimento")).AsString = inscricao;
    q.ParamByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString = prefixo;
    q.ExecSQL();
}

QString ContractKeysCondition() {
    const QStringList key = DeclarationTables::ContractKey();
    QStringList rest, picks;
    for (int i = 3; i < key.size(); ++i) {
        rest << key[i];
        picks << QStringLiteral("json_extract(value, '$[%1]')").arg(i - 3);
    }
    return QStringLiteral("AnBase = :AnBase and CoCgcCeiEstabelecimento = :CoCgcCeiEstabelecimento and "
                          "NuPrefixoEstabelecimento = :NuPrefixoEstabelecimento and (%1) in (select %2 from "
                          "json_each(:Chaves))")
        .arg(rest.join(QStringLiteral(", ")), picks.join(QStringLiteral(", ")));
}

namespace {

// Lines per statement: a batch's text stays near 150 KB.
constexpr int kKeysPerStatement = 1000;

void appendJsonString(QByteArray& out, QByteArrayView utf8) {
    out += '"';
    for (const char c : utf8) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            out += "\\u00";
            out += "0123456789abcdef"[(c >> 4) & 0xF];
            out += "0123456789abcdef"[c & 0xF];
        } else {
            out += c;
        }
    }
    out += '"';
}

}  // namespace

int ExecForContractKeys(db::Query& query, const QString& anoBase, const QString& inscricao, const QString& prefixo,
                        const CheckedLines& lines) {
    const int own = lines.OwnKeyColumns();
    if (lines.isEmpty() || lines.SharedKey().size() + own != DeclarationTables::ContractKey().size()) return 0;
    query.ParamByName(QStringLiteral("AnBase")).AsString = anoBase;
    query.ParamByName(QStringLiteral("CoCgcCeiEstabelecimento")).AsString = inscricao;
    query.ParamByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString = prefixo;
    db::Param& keys = query.ParamByName(QStringLiteral("Chaves"));
    int changed = 0;
    QByteArray batch;
    for (int first = 0; first < lines.size(); first += kKeysPerStatement) {
        const int end = std::min(lines.size(), first + kKeysPerStatement);
        batch.clear();
        batch += '[';
        for (int i = first; i < end; ++i) {
            batch += i > first ? ",[" : "[";
            for (int c = 0; c < own; ++c) {
                if (c) batch += ',';
                appendJsonString(batch, lines.OwnKeyColumn(i, c));
            }
            batch += ']';
        }
        batch += ']';
        keys.AsString = QString::fromUtf8(batch);
        query.ExecSQL();
        changed += query.RowsAffected();
    }
    return changed;
}

namespace {

template <typename First>
void runWizard(TfmConEstab* list) {
    if (list) list->hide();
    {
        First first;
        forms::ShowModal(&first);
    }
    if (list) {
        forms::SetModalResult(list, forms::mrCancel);
        list->reject();
    }
}

}  // namespace

void StartMultiDeleteWizard(TfmConEstab* list) { runWizard<TfmExclMult00>(list); }

void StartTransferWizard(TfmConEstab* list) {
    if (list) list->hide();
    {
        TfmCopEstabRegras rules;
        fmCopEstabRegras = &rules;
        TfmCopEstab00 first;
        forms::ShowModal(&first);
        fmCopEstabRegras = nullptr;
    }
    if (list) {
        forms::SetModalResult(list, forms::mrCancel);
        list->reject();
    }
}

void StartContractTypeWizard(TfmConEstab* list) { runWizard<TfmAltVinculo00>(list); }

void InstallMaintenanceWizards(TfmConEstab* list) {
    struct Entry {
        const char* name;
        const char* text;
        QKeySequence keys;
        void (*start)(TfmConEstab*);
    };
    const Entry entries[] = {
        {"acTransferir", "&Transferir empregados para outra inscrição...", QKeySequence(Qt::ALT | Qt::Key_F3),
         StartTransferWizard},
        {"acExcluirVarios", "&Excluir vários empregados...", QKeySequence(Qt::ALT | Qt::Key_F4),
         StartMultiDeleteWizard},
        {"acAlterarVinculo", "&Alterar código de vínculo de todos os empregados...",
         QKeySequence(Qt::ALT | Qt::Key_F5), StartContractTypeWizard},
    };
    QWidget* grid = list->DBGridEstab;
    grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (const Entry& e : entries) {
        auto* action = new QAction(QString::fromUtf8(e.text), list);
        action->setObjectName(QString::fromLatin1(e.name));
        action->setShortcut(e.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setShortcutVisibleInContextMenu(true);
        auto start = e.start;
        QObject::connect(action, &QAction::triggered, list, [list, start] { start(list); });
        // On the grid for its menu; its shortcut works anywhere in the list's window.
        grid->addAction(action);
    }
}
