#include "ufmDadosEmpreg.h"

QString ContextBaseYear;
QString ContextInscription;
QString ContextPrefix;
QString ContextInscriptionType;
QString ContextEstablishmentName;
QString ContextLinkedCei;
std::uint8_t ContextFollowingYear = 0;
QString ContextPis;
QString ContextAdmission;
QString ContextEmployeeName;
QString ContextDismissal;
QString ContextCbo;

QString LastMessageCode;

TfmDadosEmpreg* fmDadosEmpreg = nullptr;

TfmDadosEmpreg::TfmDadosEmpreg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmDadosEmpreg"));
}

TfmDadosEmpreg::~TfmDadosEmpreg() {
    if (fmDadosEmpreg == this) fmDadosEmpreg = nullptr;
}
