// The margins step of New and Modify, run on the main window: which form, what it is handed,
// what the job takes back; and the rule for an import whose margins were not asked.

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/USelMarge.h"
#include "dialogs/USelMargesMultiples.h"
#include "shell/MainWindowFixture.h"

namespace tranchex::test {
namespace {

class MarginsStep : public MainWindowTest {
 protected:
  // A complex job of oak on 28 mm panels, kerf 4,5 mm: with differentiated margins 18 mm parts
  // planed 3 mm a face (thicker stock allowed), otherwise 28 mm parts.
  static JobState Job(bool differentiated) {
    const double part = differentiated ? 180 : 280;
    JobState j = JobBuilder().kind(2).kerf(45).panel(28000, 20700, 2, 2, 280, 0)
                     .part(6000, 4000, 3, 2, part, 0).part(3000, 2000, 2, 2, part, 0).build();
    if (differentiated) {
      j.JobMargins.DifferentiatedMargins = 1;
      j.JobMargins.ThickerStockAllowed = 1;
      j.JobMargins.LengthMargin = 20.0;
      j.JobMargins.WidthMargin = 35.0;
      j.JobMargins.ThicknessMargin = 60.0;  // 3 mm a face
    } else {
      j.JobMargins.LengthMargin = 50.0;
      j.JobMargins.WidthMargin = 50.0;
    }
    return j;
  }
  // Opens the job from its file, as Modify finds it.
  void Open(const JobState& content) {
    Start();
    OpenByDialog(WriteJob("marges.deb", content));
    ASSERT_EQ(job.JobLoaded, 1);
  }
  // The next margins form: records what it shows, then does what `act` says.
  void Script(std::function<void(QDialog&)> act = {}) {
    prompts.modals.push_back([this, act](QDialog& d) {
      shownName = d.objectName();
      shownAt = d.pos();
      for (const char* name : {"EdtEpaisseur", "EdtMargeL", "EdtMargeH", "EdtMarge", "EdtTraitScie"}) {
        if (auto* e = d.findChild<QLineEdit*>(QString::fromLatin1(name)))
          shown[name] = e->text();
      }
      if (act) act(d);
      d.findChild<QPushButton*>(QStringLiteral("BtnOk"))->click();
      return d.result();
    });
  }

  QString shownName;
  QPoint shownAt;
  std::map<std::string, QString> shown;
};

// Modify, OK at once: the job comes back as it was, kerf included, in either form. The forms
// are handed the job's kerf, not one of their own (30 after an Open), and the differentiated one
// shows the job's thickness margin per face.
TEST_F(MarginsStep, ModifyAndOkGiveTheJobBackUnchanged) {
  for (const bool differentiated : {false, true}) {
    SCOPED_TRACE(differentiated ? "differentiated" : "one margin");
    const JobState content = Job(differentiated);
    Open(content);
    Script();
    ASSERT_TRUE(window->MarginsStep(false));
    EXPECT_EQ(shownName, differentiated ? QStringLiteral("SelMargesMultiples")
                                        : QStringLiteral("SelMarge"));
    EXPECT_EQ(shown["EdtTraitScie"], QStringLiteral("4,5"));
    if (differentiated) {
      EXPECT_EQ(shown["EdtEpaisseur"], QStringLiteral("3"));
      EXPECT_EQ(shown["EdtMargeL"], QStringLiteral("2"));
      EXPECT_EQ(shown["EdtMargeH"], QStringLiteral("3,5"));
    } else {
      EXPECT_EQ(shown["EdtMarge"], QStringLiteral("5"));
    }
    EXPECT_EQ(job.JobKerf, 45);
    EXPECT_EQ(job.JobMargins.LengthMargin, content.JobMargins.LengthMargin);
    EXPECT_EQ(job.JobMargins.WidthMargin, content.JobMargins.WidthMargin);
    EXPECT_EQ(job.JobMargins.ThicknessMargin, content.JobMargins.ThicknessMargin);
    EXPECT_EQ(job.JobMargins.DifferentiatedMargins, content.JobMargins.DifferentiatedMargins);
    EXPECT_EQ(job.JobMargins.ThickerStockAllowed, content.JobMargins.ThickerStockAllowed);
    // Placed over the window, 14 pixels below its top.
    EXPECT_EQ(shownAt.y(), window->y() + 14);
    EXPECT_TRUE(prompts.Exhausted());
    window.reset();
  }
}

// What is typed reaches the job; the unit and the user's words are those of the settings.
TEST_F(MarginsStep, ATypedMarginReachesTheJob) {
  Open(Job(false));
  settings.MeasureUnit = UNITE_MESURE{100.0, "cm", ""};
  Script([](QDialog& d) {
    auto& form = dynamic_cast<TSelMarge&>(d);
    EXPECT_EQ(form.LblMarge->text(), QStringLiteral("Valeur de la marge en cm"));
    form.EdtMarge->setText(QStringLiteral("0,5"));
    form.EdtMarge->setModified(true);
  });
  ASSERT_TRUE(window->MarginsStep(false));
  EXPECT_EQ(job.JobMargins.LengthMargin, 50.0);
  EXPECT_EQ(job.JobMargins.WidthMargin, 50.0);
  EXPECT_EQ(job.JobKerf, 45);
}

// A new job starts from the options' defaults, the kerf too.
TEST_F(MarginsStep, ANewJobShowsAndTakesTheDefaults) {
  for (const bool differentiated : {false, true}) {
    SCOPED_TRACE(differentiated ? "differentiated" : "one margin");
    Start();
    settings.DefaultMargin = 80.0;
    settings.DefaultThicknessMargin = 40.0;
    settings.DefaultKerf = 35;
    job = Job(differentiated);
    job.JobKerf = 0;
    Script();
    ASSERT_TRUE(window->MarginsStep(true));
    EXPECT_EQ(shown["EdtTraitScie"], QStringLiteral("3,5"));
    EXPECT_EQ(job.JobKerf, 35);
    EXPECT_EQ(job.JobMargins.LengthMargin, 80.0);
    EXPECT_EQ(job.JobMargins.WidthMargin, 80.0);
    EXPECT_EQ(job.JobMargins.ThicknessMargin, differentiated ? 80.0 : 0.0);
    window.reset();
  }
}

// A job of bars: the differentiated form gets the flag, leaves the width field empty and the
// width margin as it was.
TEST_F(MarginsStep, AJobOfBarsHasNoWidthMargin) {
  JobState content = Job(true);
  Open(content);
  job.MarginsAllZero = 1;
  Script();
  ASSERT_TRUE(window->MarginsStep(false));
  EXPECT_TRUE(shown["EdtMargeH"].isEmpty());
  EXPECT_EQ(job.JobMargins.WidthMargin, 35.0);
}

// Modify with the margins box unticked: during an import the margins on the length and width
// go to 0; the thickness margin, the flags and the kerf stay. Otherwise nothing changes.
TEST_F(MarginsStep, UntickedMarginsOfAnImportGoToZero) {
  for (const std::uint8_t pending : {std::uint8_t{1}, std::uint8_t{0}}) {
    SCOPED_TRACE(static_cast<int>(pending));
    Start();
    job = Job(true);
    job.MarginsPending = pending;
    window->SkipMarginsStep();
    EXPECT_EQ(job.JobMargins.LengthMargin, pending ? 0.0 : 20.0);
    EXPECT_EQ(job.JobMargins.WidthMargin, pending ? 0.0 : 35.0);
    EXPECT_EQ(job.JobMargins.ThicknessMargin, 60.0);
    EXPECT_EQ(job.JobMargins.DifferentiatedMargins, 1);
    EXPECT_EQ(job.JobMargins.ThickerStockAllowed, 1);
    EXPECT_EQ(job.JobKerf, 45);
    EXPECT_TRUE(prompts.asked.empty());
    window.reset();
  }
}

}  // namespace
}  // namespace tranchex::test
