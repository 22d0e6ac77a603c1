// SPDX-License-Identifier: GPL-3.0-or-later
// The optimisation criteria dialog and the fixed-parameter dialog.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include "tests/support/Tolerance.h"
#include "tests/ui/UiFixture.h"
#include "ui/DlgFestparameter.h"
#include "ui/Zahlenfeld.h"

namespace vk::ui::test {
namespace {

class OptimisationDialogTest : public UiTest {};

TEST_F(OptimisationDialogTest, StoredCriteriaReachTheEngineAtStart) {
  {
    QSettings s("Tessaro", "Vostra-Kalibra");
    s.setValue("OptPar/Reflektionsweite", "1.5");
    s.setValue("OptPar/Optimierungsversuche", "40");
    s.setValue("OptPar/Expansionsweite", "abc");
  }
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  EXPECT_NEAR(f->Engine().Einstellungen().Reflektionsweite, 1.5, vk::test::kUlps);
  EXPECT_EQ(f->Engine().Einstellungen().Optimierungsversuche, 40u);
  EXPECT_NEAR(f->Engine().Einstellungen().Expansionsweite, 2.0, vk::test::kUlps)
      << "malformed: default";
}

TEST_F(OptimisationDialogTest, DefaultThenCancelKeepsTheEngineButNotTheRecord) {
  {
    QSettings s("Tessaro", "Vostra-Kalibra");
    s.setValue("OptPar/Reflektionsweite", "1.5");
  }
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  QString gezeigt;
  BeiDialog([&](QWidget* d) {
    gezeigt = d->findChild<QLineEdit*>("NumEdReflection")->text();
    d->findChild<QPushButton*>("BtnDefault")->click();
    static_cast<QDialog*>(d)->reject();
  });
  f->findChild<QAction*>("TBBtnOptionen")->trigger();
  EXPECT_EQ(gezeigt, "1.5000");
  EXPECT_NEAR(f->Optimierungseinstellungen().Reflektionsweite, 1.0, vk::test::kUlps);
  EXPECT_NEAR(f->Engine().Einstellungen().Reflektionsweite, 1.5, vk::test::kUlps);
  EXPECT_EQ(QSettings("Tessaro", "Vostra-Kalibra").value("OptPar/Reflektionsweite").toString(),
            "1.5");
}

TEST_F(OptimisationDialogTest, OkHandsTheEditsToTheEngineAndTheStore) {
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  QString zyklen;
  BeiDialog([&](QWidget* d) {
    zyklen = d->findChild<QLineEdit*>("NumEdOptimisationCycles")->text();
    d->findChild<QLineEdit*>("NumEdReflection")->setText("1.25");
    d->findChild<QLineEdit*>("NumEdOptimisationCycles")->setText("99");
    d->findChild<QLineEdit*>("NumEdMinimalClassSize")->setText("0");
    auto* verfeinerung = d->findChild<QCheckBox*>("CBVerfeinerung");
    ASSERT_NE(verfeinerung, nullptr);
    EXPECT_FALSE(verfeinerung->isChecked());
    EXPECT_EQ(verfeinerung->text(), "Refine");
    verfeinerung->setChecked(true);
    static_cast<QDialog*>(d)->accept();
  });
  f->findChild<QAction*>("TBBtnOptionen")->trigger();
  EXPECT_EQ(zyklen, "320");
  EXPECT_NEAR(f->Engine().Einstellungen().Reflektionsweite, 1.25, vk::test::kUlps);
  EXPECT_EQ(f->Engine().Einstellungen().Optimierungsversuche, 99u);
  EXPECT_NEAR(f->Engine().Einstellungen().Mindestklassengroesse, 0.0, vk::test::kUlps);
  QSettings s("Tessaro", "Vostra-Kalibra");
  EXPECT_EQ(s.value("OptPar/Reflektionsweite").toString(), "1.25");
  EXPECT_EQ(s.value("OptPar/Optimierungsversuche").toString(), "99");
  EXPECT_TRUE(f->Engine().Einstellungen().Verfeinerung);
  EXPECT_EQ(s.value("OptPar/Verfeinerung").toString(), "1");
}

// Typing a value and leaving the field once rounded it to the field's four decimals: 0.00004 was
// shown as 0.0000 and saved as 0.
TEST_F(OptimisationDialogTest, TypedValuesKeepEveryDigit) {
  const auto katalog = TestKatalog();
  auto f = Fenster(katalog);
  QString gezeigt, reflektion;
  BeiDialog([&](QWidget* d) {
    // Focus moves only inside the active window; on a busy machine activation can lag.
    QApplication::setActiveWindow(d);
    EXPECT_TRUE(QTest::qWaitForWindowActive(d));
    auto* feld = d->findChild<QLineEdit*>("NumEdAbortionCriterium");
    feld->setFocus();
    feld->selectAll();
    QTest::keyClicks(feld, "0.00004");
    QTest::keyClick(feld, Qt::Key_Tab);
    EXPECT_FALSE(feld->hasFocus());
    gezeigt = feld->text();
    auto* r = d->findChild<QLineEdit*>("NumEdReflection");
    r->setFocus();
    r->selectAll();
    QTest::keyClicks(r, "1.5");
    QTest::keyClick(r, Qt::Key_Tab);
    reflektion = r->text();
    static_cast<QDialog*>(d)->accept();
  });
  f->findChild<QAction*>("TBBtnOptionen")->trigger();
  EXPECT_EQ(gezeigt, "0.00004") << "leaving the field keeps the digits typed";
  EXPECT_EQ(reflektion, "1.5000") << "a value the format holds is shown in it";
  EXPECT_TRUE(vk::test::Near(f->Engine().Einstellungen().Abbruchkriterium, 4e-5, vk::test::kTight));
  EXPECT_TRUE(vk::test::Near(
      QSettings("Tessaro", "Vostra-Kalibra").value("OptPar/Abbruchkriterium").toDouble(), 4e-5,
      vk::test::kTight));
  // Shown again, the stored value keeps its digits.
  BeiDialog([&](QWidget* d) {
    gezeigt = d->findChild<QLineEdit*>("NumEdAbortionCriterium")->text();
    static_cast<QDialog*>(d)->reject();
  });
  f->findChild<QAction*>("TBBtnOptionen")->trigger();
  EXPECT_EQ(gezeigt, "0.00004");
}

TEST(FixedParameterDialog, TypedValuesKeepEveryDigit) {
  TFestparameterDlg d;
  d.InitFeld(1, "Shift", false);
  d.InitFeld(2, "Scale", false);
  d.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
  auto* erstes = d.findChild<QLineEdit*>("NumEdFestparameter1");
  erstes->setFocus();
  erstes->selectAll();
  QTest::keyClicks(erstes, "2.123456");
  QTest::keyClick(erstes, Qt::Key_Tab);
  EXPECT_FALSE(erstes->hasFocus());
  EXPECT_EQ(erstes->text(), "2.123456");
  EXPECT_TRUE(vk::test::Near(d.GibFeld(1), 2.123456, vk::test::kTight));
  // A value set from the data shows the digits it has.
  d.SetzeFeld(2, 0.125);
  EXPECT_EQ(d.findChild<QLineEdit*>("NumEdFestparameter2")->text(), "0.1250");
  EXPECT_TRUE(vk::test::Near(d.GibFeld(2), 0.125, vk::test::kTight));
}

TEST(FixedParameterDialog, RowsFollowTheirDescriptions) {
  TFestparameterDlg d;
  EXPECT_EQ(d.windowTitle(), "Parameters");
  d.InitFeld(1, "Number of trials", true);
  d.InitFeld(2, "Shift", false);
  d.InitFeld(3, "", false);
  d.InitFeld(4, "ignored", false);
  d.show();
  auto* erstes = d.findChild<QLineEdit*>("NumEdFestparameter1");
  auto* zweites = d.findChild<QLineEdit*>("NumEdFestparameter2");
  EXPECT_EQ(erstes->text(), "0") << "whole numbers: format 0";
  EXPECT_EQ(zweites->text(), "0.0000");
  EXPECT_TRUE(erstes->isVisible());
  EXPECT_FALSE(d.findChild<QLineEdit*>("NumEdFestparameter3")->isVisible());
  EXPECT_EQ(d.findChild<QLabel*>("LblBeschreibung1")->text(), "Number of trials");
  zweites->setText("2.5");
  EXPECT_NEAR(d.GibFeld(2), 2.5, vk::test::kUlps);
  EXPECT_NEAR(d.GibFeld(0), 0.0, vk::test::kUlps);
  EXPECT_NEAR(d.GibFeld(4), 0.0, vk::test::kUlps);
  // A new query starts from 0 again.
  d.InitFeld(2, "Shift", false);
  EXPECT_EQ(zweites->text(), "0.0000");
}

}  // namespace
}  // namespace vk::ui::test
