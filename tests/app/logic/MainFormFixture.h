#pragma once

#include "FakeDesktop.h"
#include "TestFiles.h"
#include "app/logic/MainForm.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

// A main form whose executable lives in a fresh temporary folder, answered by a fake desktop.
class MainFormTest : public ::testing::Test {
protected:
  std::filesystem::path Dir() const { return Temp.Path(); }
  std::filesystem::path InBox() const { return Temp.Path() / "InBox"; }
  std::filesystem::path OutBox() const { return Temp.Path() / "OutBox"; }
  std::filesystem::path Ini() const { return Temp.Path() / "Morvelander.ini"; }

  void Start() {
    Form.FormCreate();
    Form.FormActivate();
  }
  // Selects an input file by name and double-clicks the list.
  void Open(const std::string& name) {
    for (int i = 0; i < Form.InFileListBox.Count(); ++i)
      if (Form.InFileListBox.Item(i) == name) Form.InFileListBox.SetItemIndex(i);
    ASSERT_EQ(Form.InFileListBox.FileName().filename(), name);
    Form.InFileListBoxDblClick();
  }
  // The index of a sub-folder in a chooser's entries.
  static int SubFolder(const TFolderChooser& chooser, const std::string& name) {
    for (std::size_t i = static_cast<std::size_t>(chooser.DirectoryIndex()) + 1;
         i < chooser.Entries().size(); ++i)
      if (chooser.Entries()[i].Text == name) return static_cast<int>(i);
    return -1;
  }
  // One column of a table, rows 0 to RowCount - 1.
  static std::vector<std::string> Column(const TCellTable& grid, int col) {
    std::vector<std::string> texts;
    for (int r = 0; r < grid.RowCount(); ++r) texts.emplace_back(grid.GetCell(col, r));
    return texts;
  }

  TTempDir Temp;
  TFakeDesktop Desktop;
  TMainForm Form{Temp.Path() / "Morvelander", Desktop, '.'};
};
