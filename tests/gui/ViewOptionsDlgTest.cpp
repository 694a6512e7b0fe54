// The View Options dialog and the Options command.

#include "dialogs/ViewOptionsDlg.h"
#include "dialogs/ColorButton.h"
#include "dialogs/ColorItemListBox.h"
#include "dialogs/DialogCommands.h"
#include "platform/RecordingSurface.h"
#include "tests/gui/DialogFixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QtTest>

namespace {

// The dialog as the Options command fills it from a freshly opened chart object.
void FillFromDefaults(CViewOptionsDlg& dlg) {
    dlg.m_nMA1Length = 10;
    dlg.m_nMA2Length = 20;
    dlg.m_bShowMA1 = 1;
    dlg.m_bShowMA2 = 1;
    dlg.m_bShowVolume = 1;
    dlg.m_nBarSpace = 4;
}

QLineEdit* Edit(CViewOptionsDlg& dlg, int id) {
    return static_cast<QLineEdit*>(dlg.GetDlgItem(id));
}

void Click(CViewOptionsDlg& dlg, int id) {
    static_cast<QAbstractButton*>(dlg.GetDlgItem(id))->click();
}

bool Checked(CViewOptionsDlg& dlg, int id) {
    return static_cast<QCheckBox*>(dlg.GetDlgItem(id))->isChecked();
}

QSet<QRgb> Colours(const QImage& image, const QRect& device) {
    QSet<QRgb> colours;
    for (int y = device.top(); y <= device.bottom(); ++y)
        for (int x = device.left(); x <= device.right(); ++x)
            colours.insert(image.pixel(x, y) | 0xFF000000u);
    return colours;
}

} // namespace

class ViewOptionsDlgTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_pFix = std::make_unique<CChartFixture>();
        QVERIFY(m_pFix->Load({{"AAA", "ALPHA"}, {"BBB", "BETA"}}));
        m_pDlg = std::make_unique<CViewOptionsDlg>(m_pFix->bars, m_pFix->messages);
        FillFromDefaults(*m_pDlg);
    }
    void cleanup() {
        m_pDlg.reset();
        m_pFix.reset();
    }

    void opensShrunkAndTogglesThePalette() {
        CViewOptionsDlg& dlg = *m_pDlg;
        dlg.show();
        const int frame =
            dlg.style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &dlg);
        // Outer window edges, on the screen.
        const int colorsBottom =
            dlg.GetDlgItem(121)->mapToGlobal(QPoint(0, 0)).y() + dlg.GetDlgItem(121)->height();
        QCOMPARE(dlg.frameGeometry().bottom() + 1, colorsBottom + 3 * frame);
        const int frameExtra = dlg.frameGeometry().height() - dlg.height();
        QCOMPARE(dlg.m_nFullHeight, dlg.Units().Y(276) + frameExtra);
        QVERIFY(!dlg.m_bExpanded);
        QVERIFY(!dlg.m_lbItems->isEnabled());
        for (int round = 0; round < 2; ++round) {
            Click(dlg, 121);
            QCOMPARE(dlg.frameGeometry().height(), dlg.m_nFullHeight);
            QCOMPARE(static_cast<QPushButton*>(dlg.GetDlgItem(121))->text(), "&Shrink <<");
            QVERIFY(dlg.m_lbItems->isEnabled() && dlg.m_btnColors[7]->isEnabled());
            QCOMPARE(dlg.m_lbItems->count(), 10);
            QVERIFY(dlg.m_lbItems->selectedItems().isEmpty());
            Click(dlg, 121);
            QCOMPARE(dlg.frameGeometry().height(), dlg.m_nShrunkHeight);
            QCOMPARE(static_cast<QPushButton*>(dlg.GetDlgItem(121))->text(), "&Colors >>");
            QVERIFY(!dlg.m_lbItems->isEnabled() && !dlg.m_btnColors[0]->isEnabled());
        }
    }

    void editsAreCheckedAgainstTheirBounds_data() {
        QTest::addColumn<int>("edit");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("refusal"); // empty when accepted
        const QString ma = "Please enter an integer between 2 and 50.";
        const QString space = "Please enter an integer between 2 and 10.";
        QTest::newRow("MA1 2") << 105 << true << "2"
                               << "";
        QTest::newRow("MA1 50") << 105 << true << "50"
                                << "";
        QTest::newRow("MA1 1") << 105 << true << "1" << ma;
        QTest::newRow("MA1 51") << 105 << true << "51" << ma;
        QTest::newRow("MA2 2") << 115 << true << " 2 "
                               << "";
        QTest::newRow("MA2 50") << 115 << true << "50"
                                << "";
        QTest::newRow("MA2 1") << 115 << true << "1" << ma;
        QTest::newRow("MA2 51") << 115 << true << "51" << ma;
        QTest::newRow("spacing 2") << 109 << true << "2"
                                   << "";
        QTest::newRow("spacing 10") << 109 << true << "10"
                                    << "";
        QTest::newRow("spacing 1") << 109 << true << "1" << space;
        QTest::newRow("spacing 11") << 109 << true << "11" << space;
        QTest::newRow("not a number") << 109 << true << "4x"
                                      << "Please enter an integer.";
    }
    void editsAreCheckedAgainstTheirBounds() {
        QFETCH(int, edit);
        QFETCH(bool, enabled);
        QFETCH(QString, text);
        QFETCH(QString, refusal);
        CViewOptionsDlg& dlg = *m_pDlg;
        dlg.m_bShowMA2 = enabled;
        dlg.show();
        QCOMPARE(Edit(dlg, edit)->isEnabled(), enabled);
        Edit(dlg, edit)->setText(text);
        Click(dlg, 118); // read after every edit but the spacing: kept when the spacing is refused
        dlg.accept();
        if (refusal.isEmpty()) {
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
            QVERIFY(m_pFix->messages.TakeShown().empty());
            return;
        }
        QCOMPARE(m_pFix->messages.TakeShown(), std::vector<std::string>{refusal.toStdString()});
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.focusWidget() == Edit(dlg, edit), enabled);
        QCOMPARE(Edit(dlg, edit)->selectedText(), text);
        QCOMPARE(dlg.m_bHideBadData, 0);
    }

    void defaultResetsAllButHideBadData_data() {
        QTest::addColumn<QString>("clicks"); // check boxes clicked before "Default"
        QTest::addColumn<bool>("hideBadData");
        QTest::newRow("ticked, not read back") << "118" << false;
        QTest::newRow("ticked, read back by MA2 twice") << "118 117 117" << true;
    }
    void defaultResetsAllButHideBadData() {
        QFETCH(QString, clicks);
        QFETCH(bool, hideBadData);
        CViewOptionsDlg& dlg = *m_pDlg;
        dlg.m_bShowMA1 = 0;
        dlg.m_nMA1Length = 30;
        dlg.show();
        for (const QString& id : clicks.split(' '))
            Click(dlg, id.toInt());
        Click(dlg, 107);
        QCOMPARE(Checked(dlg, 118), hideBadData);
        QVERIFY(Checked(dlg, 104));
        QCOMPARE(Edit(dlg, 105)->text(), "10");
        QVERIFY(!Edit(dlg, 105)->isEnabled()); // until the box itself is clicked
    }

    void paletteChangesTheSelectedItemsWorkingColour() {
        CViewOptionsDlg& dlg = *m_pDlg;
        dlg.show();
        Click(dlg, 121);
        Click(dlg, 123 + 6);
        QCOMPARE(m_pFix->messages.TakeShown(),
                 std::vector<std::string>{"You have not selected a colorable item"});
        QCOMPARE(m_pFix->bars.GetWorkColor(3), 3);

        dlg.m_lbItems->setCurrentRow(3);
        Click(dlg, 123 + 6);
        QCOMPARE(m_pFix->bars.GetWorkColor(3), 6);
        QCOMPARE(dlg.m_lbItems->count(), 10);
        QCOMPARE(dlg.m_lbItems->currentRow(), 3);
        QVERIFY(dlg.m_lbItems->currentItem()->isSelected());
    }

    void swatchesAreSharpAtDoubleScale() {
        CViewOptionsDlg& dlg = *m_pDlg;
        dlg.show();
        Click(dlg, 121);
        dlg.m_lbItems->doItemsLayout();
        const auto render = [](QWidget& widget) {
            QImage image(widget.size() * 2, QImage::Format_ARGB32);
            image.setDevicePixelRatio(2);
            image.fill(Qt::gray);
            widget.render(&image);
            return image;
        };
        // Yellow button: only its black outline and its yellow.
        const QImage button = render(*dlg.m_btnColors[6]);
        QCOMPARE(Colours(button, button.rect()), (QSet<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 0)}));
        // The swatch of item 2 (green), logical (3, 43) to (16, 56).
        const QImage list = render(*dlg.m_lbItems->viewport());
        QCOMPARE(Colours(list, QRect(6, 86, 28, 28)), (QSet<QRgb>{qRgb(0, 0, 0), qRgb(0, 255, 0)}));
        QCOMPARE(list.pixel(8, 88), qRgb(0, 255, 0));
        QCOMPARE(list.pixel(7, 87), qRgb(0, 0, 0));
    }

    void optionsCommandAppliesAndStoresOnOk_data() {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void optionsCommandAppliesAndStoresOnOk() {
        QFETCH(bool, ok);
        CChartFixture& fix = *m_pFix;
        int updates = 0;
        RunOptionsCommand(
            fix.bars, fix.settings, fix.messages, [&updates] { ++updates; }, nullptr,
            [ok](QDialog& dialog) {
                auto& dlg = static_cast<CViewOptionsDlg&>(dialog);
                dlg.show();
                Click(dlg, 121);
                dlg.m_lbItems->setCurrentRow(0);
                Click(dlg, 123 + 1); // a blue background, committed only by OK
                dlg.m_lbItems->setCurrentRow(0);
                Click(dlg, 123 + 0);
                Edit(dlg, 105)->setText("15");
                Click(dlg, 1115);
                ok ? dlg.accept() : dlg.reject();
                return dlg.result();
            });
        // A drawing puts the committed colours back over the working ones.
        CRecordingSurface surface;
        fix.bars.DrawChart(surface, CRect{0, 0, 400, 300}, false);
        QCOMPARE(fix.bars.GetWorkColor(0), 0);
        QCOMPARE(updates, ok ? 1 : 0);
        QCOMPARE(fix.bars.GetMA1Length(), ok ? 15 : 10);
        QCOMPARE(fix.bars.m_bMasterFix, ok ? 1 : 0);
        const char* names[] = {"HideBadData", "ShowVolume", "ShowMA1",   "ShowMA2",
                               "BarSpace",    "MA1Length",  "MA2Length", "MasterFix"};
        const int stored[] = {0, 1, 1, 1, 4, 15, 20, 1};
        for (int i = 0; i < 8; ++i)
            QCOMPARE(fix.settings.ReadInt("ViewOptions", names[i], -1), ok ? stored[i] : -1);
        QCOMPARE(fix.settings.ReadString("ViewOptions", "Colors", "none"),
                 ok ? "0723733414" : "none");
    }

    void onlyAChangeOfHideBadDataReloads_data() {
        QTest::addColumn<int>("box"); // the control changed
        QTest::addColumn<bool>("reloads");
        QTest::newRow("Hide Bad Data") << 118 << true;
        QTest::newRow("Show Volume") << 103 << false;
    }
    void onlyAChangeOfHideBadDataReloads() {
        QFETCH(int, box);
        QFETCH(bool, reloads);
        CChartFixture& fix = *m_pFix;
        // Without its price file the current security shows whether it was read again.
        QVERIFY(QFile::remove(QString::fromStdString(fix.dir / "F1.DAT")));
        RunOptionsCommand(fix.bars, fix.settings, fix.messages, {}, nullptr,
                          [box](QDialog& dialog) {
                              auto& dlg = static_cast<CViewOptionsDlg&>(dialog);
                              dlg.show();
                              Click(dlg, box);
                              dlg.accept();
                              return dlg.result();
                          });
        QCOMPARE(fix.bars.IsDataLoaded(), !reloads);
        QCOMPARE(fix.messages.TakeShown().size(), std::size_t(reloads ? 1 : 0));
    }

private:
    std::unique_ptr<CChartFixture> m_pFix;
    std::unique_ptr<CViewOptionsDlg> m_pDlg;
};

QTEST_MAIN(ViewOptionsDlgTest)
#include "ViewOptionsDlgTest.moc"
