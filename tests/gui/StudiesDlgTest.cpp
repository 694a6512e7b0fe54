// The Studies dialog and its command: adding, removing, ordering and editing studies; OK stores
// them, Cancel leaves everything as it was.

#include "dialogs/StudiesDlg.h"
#include "chart/studies/StudySettings.h"
#include "dialogs/DialogCommands.h"
#include "platform/MemorySettings.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

namespace {

std::vector<StudyInstance> Studies(std::initializer_list<const char*> specs) {
    std::vector<StudyInstance> studies;
    for (const char* text : specs) {
        StudySpec spec;
        std::string problem;
        ParseStudySpec(text, spec, problem);
        studies.push_back({spec, StudyColor(studies.size()), 1});
    }
    return studies;
}

QStringList Titles(const std::vector<StudyInstance>& studies) {
    QStringList titles;
    for (const StudyInstance& study : studies)
        titles << QString::fromStdString(SpecTitle(study.spec));
    return titles;
}

void ChooseType(CStudiesDlg& dlg, const char* name) {
    for (int i = 0; i < dlg.TypeBox().count(); ++i)
        if (dlg.TypeBox().itemText(i).endsWith(QStringLiteral("(%1)").arg(name)))
            dlg.TypeBox().setCurrentIndex(i);
}

} // namespace

class StudiesDlgTest : public QObject {
    Q_OBJECT

private slots:
    void editsWorkOnACopy();
    void okStoresAndCancelKeeps();
    void everyStudyCanBeAdded();
};

void StudiesDlgTest::editsWorkOnACopy() {
    CStudiesDlg dlg(Studies({"sma:10", "rsi:14"}), nullptr, [](QWidget*, COLORREF& color) {
        color = Rgb(1, 2, 3);
        return true;
    });
    QCOMPARE(dlg.List().count(), 2);
    ChooseType(dlg, "bbands");
    dlg.AddButton().click();
    QCOMPARE(Titles(dlg.Studies()), QStringList({"sma(10)", "rsi(14)", "bbands(20,2)"}));
    QCOMPARE(dlg.List().currentRow(), 2);
    QVERIFY(!dlg.DownButton().isEnabled());

    // Parameters: a length as a whole number in its range, a factor as a decimal.
    auto* deviations = qobject_cast<QDoubleSpinBox*>(dlg.ParameterEditor(1));
    QVERIFY(deviations);
    deviations->setValue(2.5);
    auto* length = qobject_cast<QSpinBox*>(dlg.ParameterEditor(0));
    QVERIFY(length);
    QCOMPARE(length->maximum(), 1000);
    length->setValue(0); // below the range: held at 1
    QCOMPARE(dlg.List().currentItem()->text(), QStringLiteral("bbands(1,2.5)"));
    dlg.WidthBox().setValue(3);
    dlg.ColorButton().click();

    dlg.UpButton().click();
    QCOMPARE(Titles(dlg.Studies()), QStringList({"sma(10)", "bbands(1,2.5)", "rsi(14)"}));
    QCOMPARE(dlg.Studies()[1].width, 3);
    QCOMPARE(dlg.Studies()[1].color, Rgb(1, 2, 3));
    dlg.List().setCurrentRow(0);
    dlg.RemoveButton().click();
    QCOMPARE(Titles(dlg.Studies()), QStringList({"bbands(1,2.5)", "rsi(14)"}));
    QCOMPARE(dlg.List().currentRow(), 0);
    QVERIFY(!dlg.UpButton().isEnabled());
    dlg.RemoveButton().click();
    dlg.RemoveButton().click();
    QVERIFY(!dlg.RemoveButton().isEnabled()); // nothing left to remove
}

void StudiesDlgTest::okStoresAndCancelKeeps() {
    CMemorySettings settings;
    CStudyList studies;
    studies.SetStudies(Studies({"ema:20"}));
    int updates = 0;
    const auto addMacd = [](QDialog& dialog, int result) {
        auto& dlg = static_cast<CStudiesDlg&>(dialog);
        ChooseType(dlg, "macd");
        dlg.AddButton().click();
        return result;
    };
    QVERIFY(!RunStudiesCommand(
        studies, settings, [&] { ++updates; }, nullptr,
        [&](QDialog& dlg) { return addMacd(dlg, QDialog::Rejected); }));
    QCOMPARE(Titles(studies.Studies()), QStringList({"ema(20)"}));
    QCOMPARE(settings.ReadInt(kStudiesSection, "Count", -1), -1);
    QCOMPARE(updates, 0);

    QVERIFY(RunStudiesCommand(
        studies, settings, [&] { ++updates; }, nullptr,
        [&](QDialog& dlg) { return addMacd(dlg, QDialog::Accepted); }));
    QCOMPARE(Titles(studies.Studies()), QStringList({"ema(20)", "macd(12,26,9)"}));
    QCOMPARE(updates, 1);
    QCOMPARE(settings.ReadString(kStudiesSection, "Study2", ""), std::string("macd:12,26,9"));
    QCOMPARE(Titles(LoadStudies(settings)), Titles(studies.Studies()));
}

// Each study of the table can be added with its defaults, and stores and loads as it was.
void StudiesDlgTest::everyStudyCanBeAdded() {
    CStudiesDlg dlg({});
    for (int i = 0; i < dlg.TypeBox().count(); ++i) {
        dlg.TypeBox().setCurrentIndex(i);
        dlg.AddButton().click();
    }
    QCOMPARE(static_cast<int>(dlg.Studies().size()), 15);
    CMemorySettings settings;
    QVERIFY(StoreStudies(settings, dlg.Studies()));
    const std::vector<StudyInstance> loaded = LoadStudies(settings);
    QCOMPARE(Titles(loaded), Titles(dlg.Studies()));
    QCOMPARE(loaded[3].color, dlg.Studies()[3].color);
}

QTEST_MAIN(StudiesDlgTest)
#include "StudiesDlgTest.moc"
