// Delete: the job on screen is forgotten after a question; its file, name and caption stay.

#include <QAction>

#include "shell/MainWindowFixture.h"

namespace tranchex::test {
namespace {

using Kind = ScriptedPrompts::Kind;

class DeleteCommand : public MainWindowTest {
 protected:
  // Opens a good job from the command line and changes it without saving.
  void OpenModifiedJob() {
    path = WriteJob("atelier.deb", GoodJob());
    fileBefore = ReadBytes(path.toStdString());
    Start(path);
    ASSERT_EQ(job.JobLoaded, 1);
    job.JobModified = 1;
  }

  QString path;
  std::string fileBefore;
};

TEST_F(DeleteCommand, AsksFirstAndNoKeepsEverything) {
  OpenModifiedJob();
  const QString caption = window->windowTitle();
  prompts.answers.push_back(PromptAnswer::No);
  Trigger("Supprimer");

  const auto asks = prompts.Of(Kind::Ask);
  ASSERT_EQ(asks.size(), 1u);
  const auto& question = asks[0];
  EXPECT_EQ(question.caption, QStringLiteral("Suppression d'un débit"));
  EXPECT_EQ(question.text, QStringLiteral("Etes-vous sûr de vouloir supprimer ce débit ?"));
  EXPECT_EQ(question.buttons, PromptButtons::YesNo);
  EXPECT_EQ(question.icon, PromptIcon::Question);

  EXPECT_EQ(job.JobLoaded, 1);
  EXPECT_EQ(job.JobModified, 1);
  EXPECT_EQ(job.JobParts.size(), 3u);
  EXPECT_FALSE(job.ResultPanels.empty());
  for (const char* a : kJobActions) EXPECT_TRUE(Find<QAction>(a)->isEnabled()) << a;
  EXPECT_EQ(window->windowTitle(), caption);
}

TEST_F(DeleteCommand, YesEmptiesTheJobAndKeepsItsNameCaptionAndFile) {
  OpenModifiedJob();
  const QString caption = window->windowTitle();
  const std::string jobPath = job.JobPath;
  prompts.answers.push_back(PromptAnswer::Yes);
  Trigger("Supprimer");

  EXPECT_TRUE(prompts.Exhausted());
  EXPECT_TRUE(prompts.NoticeTexts().isEmpty());
  EXPECT_EQ(job.JobLoaded, 0);
  EXPECT_EQ(job.JobModified, 0);
  EXPECT_TRUE(job.JobParts.empty());
  EXPECT_TRUE(job.JobDesignations.empty());
  EXPECT_TRUE(job.JobReferences.empty());
  EXPECT_TRUE(job.ResultPanels.empty());
  EXPECT_TRUE(job.PanelPages.empty());
  EXPECT_TRUE(job.Offcuts.empty());
  for (const char* a : kJobActions) EXPECT_FALSE(Find<QAction>(a)->isEnabled()) << a;
  for (const char* b : kJobButtons) EXPECT_FALSE(Button(b)->isEnabled()) << b;
  for (const char* b : {"BtnPremier", "BtnPrecedant", "BtnSuivant", "BtnDernier"}) {
    EXPECT_FALSE(Button(b)->isEnabled()) << b;
  }
  EXPECT_TRUE(Counter().isEmpty());

  // What names the job stays; no file is deleted or changed.
  EXPECT_EQ(window->windowTitle(), caption);
  EXPECT_EQ(job.JobPath, jobPath);
  EXPECT_EQ(job.JobName, "atelier.deb");
  EXPECT_EQ(ReadBytes(path.toStdString()), fileBefore);

  // The job was modified before Delete; nothing is left to save, so closing asks nothing.
  EXPECT_TRUE(window->close());
  EXPECT_EQ(prompts.Of(Kind::Ask).size(), 1u);
}

TEST_F(DeleteCommand, TheDeletedJobOpensAgainAsItWasSaved) {
  OpenModifiedJob();
  prompts.answers.push_back(PromptAnswer::Yes);
  Trigger("Supprimer");
  OpenByDialog(path);

  EXPECT_TRUE(prompts.Exhausted());
  EXPECT_EQ(job.JobLoaded, 1);
  EXPECT_EQ(job.JobModified, 0);
  EXPECT_EQ(job.JobParts.size(), 3u);
  EXPECT_TRUE(Find<QAction>("Supprimer")->isEnabled());
}

}  // namespace
}  // namespace tranchex::test
