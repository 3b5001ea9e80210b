#pragma once
// What the journeys through the writing and the analysis wizards share: a
// program folder with its data modules and the folder Transmite, boxes
// answered OK, the report module with a printer and a silent preview, and
// the main window's writer state cleared.
#include "declfile/DeclarationWriter.h"
#include "declfile/MainWindowState.h"
#include "platform/report/ReportEngine.h"
#include "platform/ui/FileDialogs.h"
#include "rules/UgDadosResp.h"
#include "shell/udmRaveRelatorios.h"
#include "support/DataFolder.h"
#include "support/ScriptedMessages.h"

#include <QDir>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

class WizardJourney : public ::testing::Test {
public:
    TempProgramWithModules program;
    ScriptedMessages boxes;
    std::unique_ptr<TdmRaveRelatorios> reports;

    void SetUp() override {
        boxes.acceptOkBoxes();
        ResetResponsibleChecks();
        reports = std::make_unique<TdmRaveRelatorios>();
        dmRaveRelatorios = reports.get();
        report::SetPrinterInstalledForTests(true);
        report::SetPreviewRunnerForTests([](QPrintPreviewDialog&) {});
        declfile::StoreWriterState(declfile::WriterState{});
        declfile::SetCreaDeclaracao(QString());
        QDir().mkpath(transmit());
    }
    void TearDown() override {
        forms::SetFileDialogRunner({});
        declfile::SetPartFileFactory({});
        report::SetPrinterInstalledForTests(std::nullopt);
        report::SetPreviewRunnerForTests(nullptr);
        dmRaveRelatorios = nullptr;
        reports.reset();
    }

    QString transmit(const QString& name = QString()) const { return program.path() + "Transmite/" + name; }
    QStringList decFiles() const { return QDir(transmit()).entryList({"*.dec"}, QDir::Files, QDir::Name); }
};
