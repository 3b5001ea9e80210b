#include "shell/Ufmpesq.h"

#include "platform/ui/EntryForm.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MaskAdapter.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/PageControl.h"
#include "platform/ui/SilentAbort.h"
#include "shell/UdmLobrix.h"
#include "shell/ufmLOBRIX.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfmPesq* fmPesq = nullptr;

namespace {

struct Question {
    const char* label;
    const char* hint;
};

const Question kQuestions[kSurveyQuestions] = {
    {"Presteza", "É esperado que uma resposta não ultrapasse o prazo fornecido pelo DALMOR."},
    {"Cordialidade", "Avaliar o quanto o funcionário do DALMOR foi solícito em atender o seu chamado."},
    {"Conclusividade", "O atendimento prestado levou-o a solução definitiva do seu chamado."},
    {"Conhecimento do serviço", "Avaliar o quanto o funcionário domina os assuntos relativos ao serviço. "},
    {"Confiabilidade nas informações prestadas", "Avaliar o quanto são precisas as informações prestadas."},
    {"Comunicação", "O quanto é clara e objetiva a comunicação do funcionário do DALMOR."},
    {"Assessoramento Técnico", "Esclarecimento de dúvidas técnicas."},
    {"Acesso ao atendimento do DALMOR", "Facilidade de contato."},
    {"Respostas sobre preenchimento da ZUVO",
     "Esclarecimento sobre as informações solicitadas  referentes ao empregador e a cada empregado."},
    {"Respostas sobre instalação do LOBRIX", "Esclarecimentos específicos sobre a instalação do produto."},
    {"Respostas sobre o uso do LOBRIX", "Esclarecimentos específicos sobre a utilização do produto."},
    {"Clareza das mensagens de erro",
     "Ajudam você a identificar o problema ocorrido, de tal forma que possa fazer a correção devida."},
    {"Documentação de orientação no uso do sistema",
     "As explicações de ajuda são claras para oferecer um eficaz entendimento do contexto."},
    {"Facilidade na utilização", "Os comandos são de rápida assimilação."},
    {"Correção dos comandos do sistema", "Grau de confiança de que os comandos são executados corretamente'."},
    {"Providências para correção de erros",
     "Facilidade que você dispõe para resolver sozinho os problemas que surgem durante o uso do sistema."},
    {"Quantidade de opções disponíveis",
     "Avaliação do quanto esta quantidade e casos especiais prejudicam a sua compreensão e uso do sistema."},
    {"Tempo de resposta", "Rapidez na operação do sistema."},
    {"Adequação às necessidades do serviço", "O produto cumpre a finalidade de facilitar a declaração da ZUVO."},
    {"Evolução do sistema corresponde à realidade",
     "As modificações introduzidas no produto estão alinhadas com a tecnologia disponível no mercado."},
    {"Entradas do sistema",
     "Telas para a captação de dados, importação de arquivos e restauração de cópias de segurança."},
    {"Saídas do sistema", "Relatórios, arquivos, mensagens e ajuda do sistema."},
};

constexpr int kFirstPageQuestions = 11;

const QString kNoAnswer = QStringLiteral("B");

}  // namespace

QString SurveyAnswerCode(const QString& typed) {
    const QString v = typed.trimmed().rightJustified(2, QLatin1Char('0'));
    if (v == QLatin1String("00")) return kNoAnswer;
    if (v == QLatin1String("10")) return QStringLiteral("A");
    if (v == QLatin1String("77")) return QStringLiteral("X");
    if (v.size() == 2 && v.at(0) == QLatin1Char('0') && v.at(1) >= QLatin1Char('1') && v.at(1) <= QLatin1Char('9'))
        return v.right(1);
    return QString();
}

QString SurveyAnswerText(QChar code) {
    if (code == QLatin1Char('A')) return QStringLiteral("10");
    if (code == QLatin1Char('X')) return QStringLiteral("77");
    if (code.isDigit()) return QStringLiteral("0") + code;
    return QString();
}

QString SurveyAnswers(const QString& stored) {
    return stored.left(kSurveyQuestions).leftJustified(kSurveyQuestions, kNoAnswer.at(0));
}

TfmPesq::TfmPesq(QWidget* parent)
    : QDialog(parent),
      pcPesquisa(new ui::PageControl(this)),
      tsAtendimento(new QWidget),
      tsLoBrix(new QWidget),
      BtOk(new QPushButton(QStringLiteral("&Ok"), this)),
      BtCancel(new QPushButton(QStringLiteral("&Cancelar"), this)),
      QPesq(TdmLobrix::OpenAlias()),
      kit_(new ui::EntryFormController(this)) {
    setObjectName(QStringLiteral("fmPesq"));
    setWindowTitle(QStringLiteral("Pesquisa de Satisfação"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    pcPesquisa->setObjectName(QStringLiteral("pcPesquisa"));
    tsAtendimento->setObjectName(QStringLiteral("tsAtendimento"));
    tsLoBrix->setObjectName(QStringLiteral("tsLoBrix"));
    BtOk->setObjectName(QStringLiteral("BtOk"));
    BtCancel->setObjectName(QStringLiteral("BtCancel"));
    pcPesquisa->addTab(tsAtendimento, QStringLiteral("Atendimento"));
    pcPesquisa->addTab(tsLoBrix, QStringLiteral("Lobrix"));

    auto* first = new QGridLayout(tsAtendimento);
    auto* second = new QGridLayout(tsLoBrix);
    for (int i = 0; i < kSurveyQuestions; ++i) {
        QWidget* page = i < kFirstPageQuestions ? tsAtendimento : tsLoBrix;
        QGridLayout* grid = i < kFirstPageQuestions ? first : second;
        const int row = i < kFirstPageQuestions ? i : i - kFirstPageQuestions;
        auto* label = new QLabel(QString::fromUtf8(kQuestions[i].label), page);
        auto* edit = new QLineEdit(page);
        edit->setObjectName(QStringLiteral("R%1").arg(i + 1));
        edit->setProperty("Tag", i + 1);
        ui::SetDesignMask(edit, QStringLiteral("99;0;"));
        edit->setMaxLength(2);
        edit->setFixedWidth(36);
        const QString hint = QString::fromUtf8(kQuestions[i].hint);
        edit->setToolTip(hint);
        label->setToolTip(hint);
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        R[std::size_t(i)] = edit;
        edit->installEventFilter(this);
        kit_->OnExit(edit, [this, edit] {
            if (!RespostaExit(edit)) throw SilentAbort();
        });
    }
    first->setRowStretch(kFirstPageQuestions, 1);
    auto* thanks = new QLabel(QStringLiteral("Obrigado pela Contribuição."), tsLoBrix);
    QFont bold = thanks->font();
    bold.setBold(true);
    thanks->setFont(bold);
    second->addWidget(thanks, kSurveyQuestions - kFirstPageQuestions, 0, 1, 2);
    second->setRowStretch(kSurveyQuestions - kFirstPageQuestions + 1, 1);
    for (QGridLayout* grid : {first, second}) {
        grid->setColumnStretch(0, 1);
        grid->setVerticalSpacing(1);
    }

    auto* scale = new QGroupBox(QStringLiteral("Nível de Satisfação"), this);
    scale->setObjectName(QStringLiteral("gbNivel"));
    auto* scaleGrid = new QGridLayout(scale);
    const std::pair<const char*, const char*> levels[] = {
        {"Insatisfatório", "1 - 2"}, {"Fraco", "3 - 4"}, {"Regular", "5 - 6"}, {"Bom", "7 - 8"},
        {"Muito Bom", "9 "},         {"Excelente", "10"}, {"Não se aplica", "77"},
    };
    int column = 0;
    for (const auto& [name, values] : levels) {
        scaleGrid->addWidget(new QLabel(QString::fromUtf8(name), scale), 0, column, Qt::AlignCenter);
        scaleGrid->addWidget(new QLabel(QString::fromUtf8(values), scale), 1, column, Qt::AlignCenter);
        ++column;
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BtOk);
    buttons->addWidget(BtCancel);
    for (QPushButton* b : {BtOk, BtCancel}) b->setAutoDefault(false);

    scaleGrid->setVerticalSpacing(0);
    auto* column1 = new QVBoxLayout(this);
    column1->setSpacing(4);
    column1->addWidget(pcPesquisa, 1);
    column1->addWidget(scale);
    column1->addLayout(buttons);

    kit_->SkipChecksFor(BtCancel);
    kit_->SetCancelButton(BtCancel);
    kit_->AttachPageControl(pcPesquisa);
    connect(BtOk, &QPushButton::clicked, this, [this] { kit_->RunAction([this] { BtOkClick(); }); });
    connect(BtCancel, &QPushButton::clicked, this, [this] { BtCancelClick(); });

    forms::ScaleForm(this, QSize(640, 470), QSize(850, 520));
    respostas_ = QString(kSurveyQuestions, kNoAnswer.at(0));
}

void TfmPesq::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) kit_->RunAction([this] { FormActivate(); });
}

void TfmPesq::FormActivate() {
    forms::CenterOnScreen(this);
    pcPesquisa->SetCurrentPage(0);
    Inicializa_Campos();
    QPesq.Close();
    QPesq.SetSQL(QStringLiteral("Select NuRespostaPesquisa from BD8Resp"));
    QPesq.Open();
    if (!QPesq.Eof()) LoadSurveyAnswers(QPesq.Fields(0).AsString());
    QPesq.Close();
    R[0]->setFocus(Qt::OtherFocusReason);
}

void TfmPesq::Inicializa_Campos() {
    respostas_ = QString(kSurveyQuestions, kNoAnswer.at(0));
    for (QLineEdit* edit : R) {
        edit->clear();
        edit->setEnabled(true);
    }
}

void TfmPesq::LoadSurveyAnswers(const QString& stored) {
    // A row written before any survey holds an empty text: every question
    // keeps its place, unanswered.
    respostas_ = SurveyAnswers(stored);
    for (int i = 0; i < kSurveyQuestions; ++i) ui::SetEditValue(R[std::size_t(i)], SurveyAnswerText(respostas_.at(i)));
}

bool TfmPesq::storeAnswer(QLineEdit* edit) {
    const QString typed = ui::EditValue(edit).trimmed().rightJustified(2, QLatin1Char('0'));
    ui::SetEditValue(edit, typed);
    const QString code = SurveyAnswerCode(typed);
    if (code.isEmpty()) {
        msg::ShowInformation(QStringLiteral("Valor Inválido. Consulte régua de valores."));
        ui::FocusBack(edit);
        return false;
    }
    const int position = edit->property("Tag").toInt();
    respostas_[position - 1] = code.at(0);
    return true;
}

bool TfmPesq::RespostaExit(QLineEdit* edit) {
    if (!storeAnswer(edit)) return false;
    if (edit == R[kFirstPageQuestions - 1] && kit_->ExitTarget() != BtCancel) {
        pcPesquisa->SetCurrentPage(1);
        R[kFirstPageQuestions]->setFocus(Qt::OtherFocusReason);
    }
    return true;
}

bool TfmPesq::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_PageDown) {
            focusNextChild();
            return true;
        }
        if (key == Qt::Key_Up || key == Qt::Key_PageUp) {
            focusPreviousChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfmPesq::BtOkClick() {
    // What every edit shows is what is stored, also for an answer typed just
    // before Ok was reached by its shortcut.
    for (QLineEdit* edit : R)
        if (!storeAnswer(edit)) {
            pcPesquisa->SetCurrentPage(edit->parentWidget() == tsAtendimento ? 0 : 1);
            throw SilentAbort();
        }
    QPesq.Close();
    QPesq.SetSQL(QStringLiteral("Select * from BD8Resp"));
    QPesq.Open();
    const bool empty = QPesq.Eof();
    QPesq.Close();
    QPesq.SetSQL(empty ? QStringLiteral("Insert into bd8resp (NuRespostaPesquisa) values (:NuRespostaPesquisa)")
                       : QStringLiteral("update BD8Resp set NuRespostaPesquisa = :NuRespostaPesquisa"));
    QPesq.ParamByName(QStringLiteral("NuRespostaPesquisa")).AsString = respostas_;
    QPesq.ExecSQL();
    forms::SetModalResult(this, forms::mrOk);
    accept();
}

void TfmPesq::BtCancelClick() {
    forms::SetModalResult(this, forms::mrCancel);
    reject();
}

void ShowPesquisa() {
    {
        TfmPesq form(fmLOBRIX);
        fmPesq = &form;
        forms::ShowModal(&form);
        fmPesq = nullptr;
    }
    if (!fmLOBRIX) return;
    const QString next = fmLOBRIX->ProximoAssistente;
    fmLOBRIX->ProximoAssistente.clear();
    if (next == QLatin1String("1")) fmLOBRIX->RunCommand(LobrixCommand::Gravar);
    else if (next == QLatin1String("2")) fmLOBRIX->RunCommand(LobrixCommand::Retif);
}
