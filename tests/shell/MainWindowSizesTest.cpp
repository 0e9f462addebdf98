// The standard sizes: the two commands of the size manager, the size picker of the panel and
// part forms, and the size files written at exit when a size was added from either.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <functional>

#include "dialogs/UGestDimensions.h"
#include "dialogs/USelDebit.h"
#include "dialogs/USelPanneaux.h"
#include "dialogs/USelPieces.h"
#include "job/SettingsFiles.h"
#include "shell/MainWindowFixture.h"

namespace tranchex::test {
namespace {

class SizesCommand : public MainWindowTest {
 protected:
  // The manager as a command shows it: `drive` answers it.
  void Manager(std::function<void(TFGestDimensions&)> drive) {
    prompts.modals.push_back([this, drive](QDialog& d) {
      auto& form = dynamic_cast<TFGestDimensions&>(d);
      Activate(form);
      shownAt = form.pos();
      drive(form);
      if (form.isVisible()) Press(form.BtnOK);
      return form.result();
    });
  }
  // The job kind form of New: a simple or a complex job.
  void KindForm(int kind) {
    prompts.modals.push_back([kind](QDialog& d) {
      auto& form = dynamic_cast<TFSelDebit&>(d);
      if (kind == 2) form.RbtnDebitComplexe->click();
      form.btnOk->click();
      return form.result();
    });
  }
  static void Press(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  static void TypeSize(TFGestDimensions& form, const char* length, const char* width,
                       const char* thickness = nullptr) {
    Enter(form.EdtLongueur, QString::fromUtf8(length));
    Enter(form.EdtLargeur, QString::fromUtf8(width));
    if (thickness != nullptr) Enter(form.EdtEpaisseur, QString::fromUtf8(thickness));
  }
  static std::vector<std::string> Rows(const TFGestDimensions& form) {
    std::vector<std::string> out;
    for (int i = 0; i < form.LbDimensions->count(); ++i)
      out.push_back(form.LbDimensions->item(i)->text().toStdString());
    return out;
  }
  static void ClickRow(TFGestDimensions& form, int row) {
    QListWidgetItem* item = form.LbDimensions->item(row);
    QTest::mouseClick(form.LbDimensions->viewport(), Qt::LeftButton, {},
                      form.LbDimensions->visualItemRect(item).center());
  }
  void Restart() {
    window.reset();
    prompts = ScriptedPrompts();
    job = JobState();
    settings = TestSettings();
    Start();
  }

  QPoint shownAt;
};

// Each command manages its own list, on a job of either kind, with or without a job; a change
// marks that list's file, and a later showing without one leaves the mark.
TEST_F(SizesCommand, EachCommandManagesItsListAndMarksItsFile) {
  struct Case {
    const char* command;
    std::vector<DIMENSIONS> Settings::*list;
    std::uint8_t Settings::*dirty;
    std::uint8_t Settings::*other;
  };
  const Case cases[] = {
      {"DimensionsDesPanneaux", &Settings::PanelSizes, &Settings::PanelSizesDirty,
       &Settings::PartSizesDirty},
      {"DimensionsPieces", &Settings::PartSizes, &Settings::PartSizesDirty,
       &Settings::PanelSizesDirty},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    Restart();
    EXPECT_TRUE(Find<QAction>(c.command)->isEnabled());
    Manager([&](TFGestDimensions& form) {
      EXPECT_EQ(form.PickMode, 0);
      EXPECT_EQ(form.PickContext, 0);
      EXPECT_EQ(form.Kind, 2);
      EXPECT_EQ(form.SizeList, &(settings.*c.list));
      EXPECT_TRUE(form.EdtEpaisseur->isEnabled());
    });
    Trigger(c.command);
    EXPECT_EQ(shownAt, QPoint(window->x() + window->width() / 2 - window->FGestDimensions->width() / 2,
                              window->y() + 14));
    EXPECT_EQ(settings.*c.dirty, 0);

    OpenByDialog(WriteJob("tailles.deb", GoodJob()));
    ASSERT_EQ(job.JobLoaded, 1);
    Manager([](TFGestDimensions& form) {
      TypeSize(form, "2500", "1250", "10");
      Press(form.BtnAjouter);
    });
    Trigger(c.command);
    EXPECT_EQ(settings.*c.list, (std::vector<DIMENSIONS>{{25000, 12500, 100, 1},
                                                        {25000, 12500, 100, 2}}));
    EXPECT_EQ(settings.*c.dirty, 1);
    EXPECT_EQ(settings.*c.other, 0);
    Manager([](TFGestDimensions& form) {
      EXPECT_EQ(Rows(form), std::vector<std::string>{"2500 x 1250 x 10"});
    });
    Trigger(c.command);
    EXPECT_EQ(settings.*c.dirty, 1);
    EXPECT_TRUE(prompts.Exhausted());
  }
}

// A size added from the panel form (in a New then cancelled), then the panel-size manager opened
// without adding: the panel-size file is still written at exit, and a restart shows the size.
TEST_F(SizesCommand, ASizeAddedFromThePanelFormIsWrittenOutAfterAManagerShowingWithoutChange) {
  Start();
  KindForm(1);
  prompts.modals.push_back([this](QDialog& d) {
    auto& panelForm = dynamic_cast<TSelPanneaux&>(d);
    Activate(panelForm);
    EXPECT_TRUE(panelForm.BitBtnLongueur->isEnabled());
    Manager([](TFGestDimensions& form) {
      EXPECT_EQ(form.PickMode, 1);
      EXPECT_EQ(form.PickContext, 1);
      EXPECT_FALSE(form.EdtEpaisseur->isEnabled());
      TypeSize(form, "2440", "1220");
    });
    Press(panelForm.BitBtnLongueur);
    EXPECT_EQ(panelForm.EdtLongueur->text(), QStringLiteral("2440"));
    EXPECT_EQ(panelForm.EdtLargeur->text(), QStringLiteral("1220"));
    Press(panelForm.BtnAnnul);
    return panelForm.result();
  });
  Trigger("Nouveau");
  EXPECT_EQ(settings.PanelSizes, (std::vector<DIMENSIONS>{{24400, 12200, 100, 1}}));
  EXPECT_EQ(settings.PanelSizesDirty, 1);

  Manager([](TFGestDimensions& form) {
    EXPECT_EQ(Rows(form), std::vector<std::string>{"2440 x 1220 x 10"});
    EXPECT_EQ(form.SizesChanged, 0);
  });
  Trigger("DimensionsDesPanneaux");
  EXPECT_EQ(settings.PanelSizesDirty, 1);
  EXPECT_EQ(settings.PartSizesDirty, 0);
  EXPECT_TRUE(prompts.Exhausted());

  window->close();
  EXPECT_TRUE(std::filesystem::exists(dir.path() / kPanelSizesFileName));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / kPartSizesFileName));
  Restart();
  EXPECT_EQ(settings.PanelSizes, (std::vector<DIMENSIONS>{{24400, 12200, 100, 1}}));
}

// The part form of a complex job picks among the part sizes as thick as a stock panel; the
// size comes back without its thickness (no thickness margin), and nothing is marked.
TEST_F(SizesCommand, ThePartFormPicksAmongTheSizesItsStockCanGive) {
  settings.AskMargins = 0;
  settings.PartSizes = {{6000, 4000, 190, 2}, {5000, 3000, 100, 1}, {6000, 4000, 100, 2}};
  Start();
  settings.PartSizesDirty = 0;
  KindForm(2);
  prompts.modals.push_back([](QDialog& d) {
    auto& panelForm = dynamic_cast<TSelPanneaux&>(d);
    Activate(panelForm);
    Enter(panelForm.EdtLongueur, QStringLiteral("2500"));
    Enter(panelForm.EdtLargeur, QStringLiteral("1250"));
    EXPECT_EQ(panelForm.EdtEpaisseur->text(), QStringLiteral("10"));
    Press(panelForm.BtnTerminer);
    return panelForm.result();
  });
  prompts.modals.push_back([this](QDialog& d) {
    auto& partForm = dynamic_cast<TSelPieces&>(d);
    Activate(partForm);
    Manager([](TFGestDimensions& form) {
      EXPECT_EQ(form.PickContext, 4);
      EXPECT_EQ(Rows(form), std::vector<std::string>{"600 x 400 x 10"});
      ClickRow(form, 0);
      EXPECT_EQ(form.EdtEpaisseur->text(), QString());
    });
    Press(partForm.BitBtnLongueur);
    EXPECT_EQ(partForm.EdtLongueur->text(), QStringLiteral("600"));
    EXPECT_EQ(partForm.EdtLargeur->text(), QStringLiteral("400"));
    Press(partForm.BtnAnnul);
    return partForm.result();
  });
  Trigger("Nouveau");
  EXPECT_TRUE(prompts.Exhausted());
  EXPECT_EQ(settings.PartSizes.size(), 3u);
  EXPECT_EQ(settings.PartSizesDirty, 0);
  EXPECT_EQ(settings.PanelSizesDirty, 0);
}

}  // namespace
}  // namespace tranchex::test
