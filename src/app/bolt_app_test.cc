#include "app/bolt_app.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/fake_file_system.h"
#include "app/window_texts.h"
#include "base/test_folder.h"

namespace boltgen {
namespace {

namespace fs = std::filesystem;

class FakePlatform : public Platform {
 public:
  void Repaint(const Controls&) override {}
  void ProcessEvents() override {}
  void ShowMessage(MessageKind, std::string_view text) override { messages.emplace_back(text); }
  void Sleep(int milliseconds) override { sleeps.push_back(milliseconds); }
  bool OpenDocument(const std::string& path) override {
    opened.push_back(path);
    return viewer_found;
  }
  void EndProgram(int status) override { ends.push_back(status); }
  void ShowWindow() override { ++windows_shown; }
  void Note(std::string_view line) override { notes.emplace_back(line); }
  bool Ask(std::string_view question) override {
    questions.emplace_back(question);
    return answer;
  }
  std::optional<std::string> ReadSetting(std::string_view key) override {
    const auto found = store->find(std::string(key));
    return found == store->end() ? std::nullopt : std::optional(found->second);
  }
  void WriteSetting(std::string_view key, std::string_view value) override {
    (*store)[std::string(key)] = value;
  }

  std::map<std::string, std::string>* store = nullptr;  // outlives the runs
  std::vector<std::string> notes, questions;
  bool answer = false;
  std::vector<std::string> messages, opened;
  bool viewer_found = true;
  std::vector<int> sleeps, ends;
  int windows_shown = 0;
};

// Ten sizes: the eighth is the default, the fifth has one pitch, the tenth none.
constexpr const char* kSizeTable =
    "; test table\r\n"
    "[Inch 1/4]\r\ndianom=0.25\r\npitch0=0.035714 UNF\r\npitch1=0.05 UNC\r\n"
    "[Inch 5/16]\r\ndianom=0.3125\r\npitch0=0.041667 UNF\r\n[Inch 3/8]\r\ndianom=0.375\r\n"
    "pitch0=0.041667 UNF\r\n[Inch 7/16]\r\ndianom=0.4375\r\npitch0=0.05 UNF\r\n"
    "[Inch 1/2]\r\ndianom=0.5\r\npitch0=0.05 UNF\r\n[Inch 9/16]\r\ndianom=0.5625\r\n"
    "pitch0=0.055556 UNF\r\n[Inch 5/8]\r\ndianom=0.625\r\npitch0=0.055556 UNF\r\n"
    "[ANSI Inch 3/4]\r\nDiaNom = 0.75\r\npitch0=0.0625 UNF\r\npitch1=0.076923 UNC\r\n"
    "[ISO M12]\r\ndianom=12\r\npitch0=1.75\r\npitch1=1.25\r\n"
    "[Bare]\r\ndianom=1\r\n";

// The program's job state over a file system in memory, whose working folder
// and program folder hold what each test puts there.
class BoltAppTest : public testing::Test {
 protected:
  BoltAppTest() { files_.AddFile(Path("boltgen.ini"), kSizeTable); }

  // `name` in the working folder.
  std::string Path(const std::string& name) const { return folder_ + "/" + name; }

  BoltApp& Start(std::string args = "", bool headless = false) {
    platform_ = FakePlatform{};
    platform_.store = &store_;
    AppEnvironment environment;
    // Up to its first point the program's name names the size table.
    environment.program_path = Path("bin/boltgen.v1.bin");
    environment.raw_args = std::move(args);
    environment.working_dir = folder_;
    environment.files = file_system_;
    environment.headless = headless;
    app_ = std::make_unique<BoltApp>(platform_, environment);
    app_->Form_Load();
    return *app_;
  }

  const Controls& controls() const { return app_->controls; }
  // No Threads, Washer Face, Head Radius, Sharp Threads, Nuts, Blocks, STL, DXF, 3MF,
  // Threaded Nuts.
  std::string Checks() const {
    const Controls& c = controls();
    std::string checks;
    for (const CheckBox* box : {&c.Chk_No_Threads, &c.Chk_WF, &c.Chk_Rad_HEAD,
                                &c.Chk_Sharp_Threads, &c.Chk_Nuts, &c.Chk_WBlock, &c.Chk_STL,
                                &c.Chk_DXF, &c.Chk_3MF, &c.Chk_Threaded_Nuts}) {
      checks += box->checked ? '1' : '0';
    }
    return checks;
  }
  bool Messaged(std::string_view part) const {
    for (const std::string& message : platform_.messages) {
      if (message.find(part) != std::string::npos) return true;
    }
    return false;
  }

  std::string folder_ = "/work";
  std::map<std::string, std::string> store_;  // the user's settings store
  FakeFileSystem files_;
  const FileSystem* file_system_ = &files_;
  FakePlatform platform_;
  std::unique_ptr<BoltApp> app_;
};

// Generations write real files, and the size table's reader judges real
// kinds of file: these tests run in a real folder of their own and give every
// script its path there, so the process's working folder is never changed.
class BoltAppOnDiskTest : public BoltAppTest {
 protected:
  BoltAppOnDiskTest() {
    // A folder name beyond ASCII: every path goes through UTF-8 text.
    folder_ = MakeTestFolder("boltgen_app_\xC3\xB1");
    file_system_ = &RealFileSystem();
    Write("boltgen.ini", kSizeTable);
  }
  ~BoltAppOnDiskTest() override { fs::remove_all(dir()); }

  fs::path dir() const { return os::PathFromUtf8(folder_); }
  void Write(const std::string& name, std::string_view content) {
    std::ofstream(dir() / name, std::ios::binary) << content;
  }
  static std::string ReadFile(const std::string& path) {
    std::ifstream in(os::PathFromUtf8(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static std::string ShippedSizeTable() { return ReadFile(BOLTGEN_SOURCE_DIR "/data/boltgen.ini"); }
  void UseShippedSizeTable() { Write("boltgen.ini", ShippedSizeTable()); }
  bool Exists(const std::string& path) const { return fs::exists(os::PathFromUtf8(path)); }
};

TEST_F(BoltAppTest, StartUpWithoutArgumentsKeepsTheWindowDefaults) {
  EXPECT_FALSE(Start().exit_status());
  EXPECT_TRUE(platform_.messages.empty());
  EXPECT_EQ(controls().Status, "Ready");
  EXPECT_EQ(controls().TXT_Nom_Length.text, "3.000");
  EXPECT_EQ(Checks(), "0111000000");
  EXPECT_FALSE(controls().Chk_Sharp_Threads.enabled);
  EXPECT_EQ(controls().Cmb_Pitch.items, (std::vector<std::string>{"0.0625 UNF", "0.076923 UNC"}));
  EXPECT_EQ(controls().TXT_File.text, "IN_07500_HCSW-UNF_03000-3D(024)");
}

TEST_F(BoltAppTest, SizeTableMissingOrWithoutSizesEndsBeforeTheCommandLine) {
  const std::pair<const char*, const char*> cases[] = {
      {nullptr, "boltgen.ini"},
      {"; nothing\r\nkey=1\r\n", "lists no size"}};
  for (const auto& [content, said] : cases) {
    content ? files_.AddFile(Path("boltgen.ini"), content) : files_.Remove(Path("boltgen.ini"));
    EXPECT_EQ(Start("?").exit_status(), kExitFailed) << said;
    EXPECT_EQ(platform_.messages.size(), 1u) << said;  // no help
    EXPECT_TRUE(Messaged(said));
  }
}

// A rejected text never stays in the box: it shows the last accepted length
// again, which the name carries.
TEST_F(BoltAppTest, LeavingTheLengthBoxChecksIt) {
  BoltApp& app = Start();
  const std::pair<const char*, const char*> cases[] = {
      {"3/4", "3.000"},   {"2.5", "2.500"},        {"-2", "2.500"},      {"0", "2.500"},
      {"abc", "2.500"},   {"1e999", "2.500"},      {"0.0001e-400", "2.500"},
      {"12.3456", "12.346"}, {"2.5in", "2.500"},   {"   ", "3.000"},     {" 1e1", "10.000"},
      {"2/3", "10.000"}};
  for (const auto& [typed, shown] : cases) {
    app.controls.TXT_Nom_Length.text = typed;
    app.TXT_Nom_Length_Validate();
    EXPECT_EQ(controls().TXT_Nom_Length.text, shown) << typed;
  }
  EXPECT_EQ(platform_.messages,
            std::vector<std::string>(7, "Please use decimal numbers for length."));
  EXPECT_EQ(controls().TXT_File.text, "IN_07500_HCSW-UNF_10000-3D(024)");
  app.controls.TXT_File.text = "edited";  // leaving it unchanged checks nothing
  app.TXT_Nom_Length_Validate();
  EXPECT_EQ(controls().TXT_File.text, "edited");
}

TEST_F(BoltAppTest, NutsOnlyWithAWasherFaceAndHelpOnF1) {
  BoltApp& app = Start();
  app.SetCheck(app.controls.Chk_Nuts, true);
  app.SetCheck(app.controls.Chk_WF, false);
  EXPECT_FALSE(controls().Chk_Nuts.checked || controls().Chk_Nuts.enabled);
  app.controls.Chk_Nuts.checked = true;  // leaving it checked brings the washer face back
  app.Chk_Nuts_Validate();
  EXPECT_TRUE(controls().Chk_WF.checked && controls().Chk_Nuts.enabled);
  // Threaded nuts come with the nuts and go with them or the washer face.
  app.SetCheck(app.controls.Chk_Nuts, false);
  app.Chk_Nuts_Validate();
  app.SetCheck(app.controls.Chk_Threaded_Nuts, true);
  EXPECT_TRUE(controls().Chk_Nuts.checked && controls().Chk_WF.checked);
  app.SetCheck(app.controls.Chk_WF, false);
  EXPECT_FALSE(controls().Chk_Threaded_Nuts.checked || controls().Chk_Nuts.checked);

  app.Form_KeyDown(112);  // no document: nothing happens, nothing is said
  files_.AddFile(Path("BoltGen.PDF"), "%PDF");
  app.Form_KeyDown(113);
  EXPECT_TRUE(platform_.opened.empty() && platform_.messages.empty());
  app.Form_KeyDown(112);
  ASSERT_EQ(platform_.opened.size(), 1u);
  EXPECT_EQ(fs::path(platform_.opened[0]).filename(), "BoltGen.PDF");
  EXPECT_TRUE(platform_.messages.empty());
  // No program opens it: the user is told where the manual is.
  platform_.viewer_found = false;
  app.CMD_Help_Click();
  ASSERT_EQ(platform_.messages.size(), 1u);
  EXPECT_EQ(platform_.messages[0], std::string(kNoViewerMessage) + platform_.opened[1] + ".");
  EXPECT_TRUE(platform_.ends.empty());
}

TEST_F(BoltAppTest, LeavingTheSizeBoxLooksThePitchesUpOnlyForANewSize) {
  BoltApp& app = Start();
  app.SelectPitch(1);
  app.Cmb_Size_Validate();  // the same size: the chosen pitch stays
  EXPECT_EQ(controls().Cmb_Pitch.selected, 1);
  EXPECT_EQ(controls().TXT_File.text, "IN_07500_HCSW-UNC_03000-3D(024)");
  app.SelectSize(8);
  app.SelectPitch(1);
  app.SelectSize(7);  // another size: its first pitch
  EXPECT_EQ(controls().Cmb_Pitch.selected, 0);
  EXPECT_EQ(controls().Cmb_Pitch.text, "0.0625 UNF");
  app.SelectPitch(1);
  app.controls.Cmb_Size.text = "[ANSI Inch 3/";  // typed: names no section
  app.Cmb_Size_Change();
  EXPECT_EQ(controls().Cmb_Pitch.selected, -1);
  EXPECT_EQ(controls().TXT_File.text, "IN__HCSW-000_03000-3D(024)");
}

TEST_F(BoltAppTest, SwitchesRunTheHandlers) {
  const struct {
    const char* args;
    const char* checks;
    const char* name;
    const char* said;  // in the only message, if any
  } cases[] = {
      {"/F:bolt.scr /X:1", "1111000010", "bolt.scr", nullptr},
      // /N:1 checks the washer face /W:0 cleared; /t: is no switch; /L: is not checked.
      {"/N:1 /W:0 /D:2.5 /t:0 /L:2 /A:0 /R:0 /B:1 /M:1 /E:1", "1100111100",
       "IN_03750_HCSW-###_02000-3D(036)", nullptr},
      {"/D:3.5 /T:0 /P:1 /S:5", "0111000000", "IN_05000_HCSW-UNF_03000-3D(240)", "/P:1 names no"},
      // The eleventh word counts like the first.
      {"/D:0 2 3 4 5 6 7 8 9 10 /N:1", "1111100000", "IN_02500_HCSW-###_03000-3D(036)", nullptr},
      // An index that is not a number is reported like one out of range.
      {"/D:abc", "1111000000", "IN_07500_HCSW-###_03000-3D(036)",
       "The switch /D:abc names no entry of the size list; valid indexes are 0 to 9."},
      // A control character in /F: is refused; the box gets the composed name.
      {"/F:a\nSaveAs.scr", "1111000000", "IN_07500_HCSW-###_03000-3D(036)",
       "\"a\\x0ASaveAs.scr\" holds a control character (code 10) at character 2"},
      {"/F:b\x7f", "1111000000", "IN_07500_HCSW-###_03000-3D(036)", "(code 127)"},
      // NEL and the Unicode line separator might end a script's line too.
      {"/F:c\xC2\x85.scr", "1111000000", "IN_07500_HCSW-###_03000-3D(036)",
       "The switch /F: is refused: The script file name \"c\\xC2\\x85.scr\" holds a control "
       "character (code 133) at character 2"},
      {"/F:d\xE2\x80\xA8", "1111000000", "IN_07500_HCSW-###_03000-3D(036)", "(U+2028) at character 2"},
      {"/D:-1", "1111000000", "IN_07500_HCSW-###_03000-3D(036)", "0 to 9"},
      {"/D:9.5", "1111000000", "IN_07500_HCSW-###_03000-3D(036)", "0 to 9"},
      {"/S:6", "1111000000", "IN_07500_HCSW-###_03000-3D(024)", "/S:6 names no"},
      // Threaded nuts include the nuts, and with them the washer face.
      {"/I:1 /W:0 /C:0.3", "1111100001", "IN_07500_HCSW-###_03000-3D(036)", nullptr},
      {"/I:0 /N:1", "1111100000", "IN_07500_HCSW-###_03000-3D(036)", nullptr},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(Start(c.args).exit_status()) << c.args;
    EXPECT_EQ(Checks(), c.checks) << c.args;
    EXPECT_EQ(controls().TXT_File.text, c.name) << c.args;
    EXPECT_EQ(platform_.messages.size(), c.said ? 1u : 0u) << c.args;
    EXPECT_TRUE(!c.said || Messaged(c.said)) << c.args;
  }
}

TEST_F(BoltAppTest, HelpOrABadIndexWithG1EndsTheProgramAndGeneratesNothing) {
  // A '?' shows the help as it always stood, also beside "--help"; "--help"
  // alone adds the switches this program added.
  const std::pair<const char*, std::string> helps[] = {
      {"/D:1 /F:a?b /G:1", std::string(HelpText())},
      {"--help /?", std::string(HelpText())},
      {"--help", HelpTextWithAddedSwitches()}};
  for (const auto& [args, text] : helps) {
    EXPECT_EQ(Start(args).exit_status(), kExitOk);
    EXPECT_EQ(platform_.messages, std::vector<std::string>{text}) << args;
    EXPECT_EQ(controls().CMB_Segments.text, "24");  // nothing applied
  }
  EXPECT_EQ(Start("/P:2 /S:1 /G:1").exit_status(), kExitFailed);
  EXPECT_EQ(platform_.ends, std::vector<int>{kExitFailed});
  EXPECT_TRUE(Messaged("0 to 1"));
  EXPECT_EQ(platform_.windows_shown + platform_.sleeps.size(), 0u);
  EXPECT_EQ(app_->written_script(), "");  // no generation ran
}

TEST_F(BoltAppOnDiskTest, UnattendedRunWritesTheScriptAndEnds) {
  UseShippedSizeTable();
  const std::string script = Path("IN_07500_HCSW-UNC_03000-3D(036).scr");
  const std::string args = "/D:7 /P:1 /S:1 /T:0 /N:1 /B:1 /G:1 /F:" + script;
  EXPECT_EQ(Start(args).exit_status(), kExitOk);
  EXPECT_EQ(platform_.ends, std::vector<int>{kExitOk});
  EXPECT_TRUE(platform_.messages.empty());
  EXPECT_EQ(platform_.sleeps, (std::vector<int>{1000, 2000}));
  EXPECT_EQ(controls().Status, "(Script File Written) IN_07500_HCSW-UNC_03000-3D(036).scr in " +
                                   folder_ + ". Ready .... ... exting in 2 seconds.");
  const std::string expected = ReadFile(script);

  // A file per part comes beside the script, which they leave as it was; no
  // sleeps headless.
#ifdef _WIN32  // without dxflib /E:1 is refused
  const std::pair<const char*, std::size_t> parts{" /M:1", 5};
#else
  const std::pair<const char*, std::size_t> parts{" /M:1 /E:1", 10};
#endif
  EXPECT_EQ(Start(args + parts.first, /*headless=*/true).exit_status(), kExitOk);
  EXPECT_TRUE(platform_.sleeps.empty());
  EXPECT_EQ(ReadFile(script), expected);
  EXPECT_EQ(app_->companion_files().size(), parts.second);
}

// A failure ends an unattended run with one message and nothing written. A
// size whose section fails the checks keeps its place in the list (later
// indexes do not move) but refuses, naming file, line and value.
TEST_F(BoltAppOnDiskTest, AFailureEndsAnUnattendedRunWithoutTheExitNotice) {
  const std::string shipped = ShippedSizeTable();
  std::string broken = shipped;
  const auto flats = broken.find("Flats=", broken.find("[Inch 5/8]"));
  broken.replace(flats, broken.find('\r', flats) - flats, "Flats=1 1/4");
  const auto line = std::count(broken.begin(), broken.begin() + flats, '\n') + 1;
  const struct {
    std::string table, args, name, said;  // in the only message
  } cases[] = {
      {kSizeTable, "/D:9 /T:0", "bare", "[Bare]: no pitch is given (pitch0 to pitch3)"},
#ifdef BOLTGEN_HAVE_LIB3MF
      {shipped, "/X:1", "nuts", "Cannot write the file \"" + Path("nuts.3mf") + "\""},
#else  // every /X:1 is refused, before any file
      {shipped, "/X:1", "nuts", "built without lib3mf"},
#endif
      // Marked fatal in front, which batch jobs may match; the window leaves it out.
      {shipped, "/D:7 /L:0.1", "short", "Fatal Error: Bolt length (000.100) too short for pitch"},
      {broken, "/D:6", "refused", os::Utf8FromPath(dir() / "boltgen.ini") + ":" +
                                      std::to_string(line) +
                                      ": [Inch 5/8]: Flats=1 1/4 is not one finite decimal number"},
  };
  fs::create_directory(dir() / "nuts.3mf");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    Write("boltgen.ini", c.table);
    EXPECT_EQ(Start(c.args + " /G:1 /F:" + Path(c.name)).exit_status(), kExitFailed);
    EXPECT_EQ(platform_.ends, std::vector<int>{kExitFailed});
    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_TRUE(Messaged(c.said)) << platform_.messages[0];
    EXPECT_EQ(controls().Status.find("exting"), std::string::npos);
    EXPECT_TRUE(app_->companion_files().empty());
    EXPECT_FALSE(Exists(Path(c.name + ".scr")));
  }
  EXPECT_EQ(Start("/D:7 /G:1 /F:" + Path("kept")).exit_status(), kExitOk);
  EXPECT_EQ(controls().Cmb_Size.text, "[Inch 3/4]");
  EXPECT_TRUE(Exists(Path("kept.scr")));
}

// The default /D:7 is no index the user gave: a table of fewer sizes says so.
TEST_F(BoltAppTest, ADefaultSizeIndexThatNamesNoEntryIsNamedAsTheDefault) {
  files_.AddFile(Path("boltgen.ini"), "[A]\r\npitch0=1\r\n[B]\r\n[C]\r\n[D]\r\n");
  EXPECT_EQ(Start("/G:1").exit_status(), kExitFailed);
  EXPECT_EQ(platform_.messages,
            std::vector<std::string>{"No switch /D: is given, and its default index 7 names no "
                                     "entry of the size list; valid indexes are 0 to 3. Give /D: "
                                     "with one of them."});
  EXPECT_EQ(Start("/D:7 /G:1").exit_status(), kExitFailed);
  EXPECT_TRUE(Messaged("The switch /D:7 names no entry of the size list; valid indexes are 0 to 3."));
}

// A header the table spoils with a tab, NBSP or byte order mark keeps its
// index, so /D:7 still writes the 3/4 inch bolt; the spoilt size refuses by
// its line. A key given twice writes with the later value and says so.
TEST_F(BoltAppOnDiskTest, OddHeadersKeepEveryIndexAndRepeatedKeysWarn) {
  const std::string shipped = ShippedSizeTable();
  const std::string reference = Path("reference.scr");
  UseShippedSizeTable();
  ASSERT_EQ(Start("/D:7 /G:1 /F:" + reference).exit_status(), kExitOk);
  std::string spoilt = "\xEF\xBB\xBF" + shipped;
  const auto third = spoilt.find("[Inch 3/8]");
  spoilt.insert(third, "\t");
  spoilt.insert(spoilt.find("[Inch 1/2]"), "\xC2\xA0");
  Write("boltgen.ini", spoilt);
  const std::string script = Path("spoilt.scr");
  ASSERT_EQ(Start("/D:7 /G:1 /F:" + script).exit_status(), kExitOk);
  EXPECT_EQ(controls().Cmb_Size.text, "[Inch 3/4]");
  EXPECT_EQ(ReadFile(script), ReadFile(reference));
  const auto line = std::count(spoilt.begin(), spoilt.begin() + third, '\n') + 1;
  EXPECT_EQ(Start("/D:2 /G:1 /F:" + Path("odd")).exit_status(), kExitFailed);
  EXPECT_TRUE(Messaged(":" + std::to_string(line) + ": [Inch 3/8]: the header is preceded by a tab"))
      << platform_.messages.at(0);
  EXPECT_FALSE(Exists(Path("odd.scr")));

  std::string twice = shipped;
  const auto dia = twice.find("DiaNom=0.75");
  twice.insert(twice.find("[Inch 7/8]"), "DiaNom=1.5\r\n");
  Write("boltgen.ini", twice);
  ASSERT_EQ(Start("/D:7 /G:1 /F:" + Path("twice")).exit_status(), kExitOk);
  EXPECT_TRUE(platform_.messages.empty());
  const auto first = std::count(twice.begin(), twice.begin() + dia, '\n') + 1;
  const std::string warning = "boltgen.ini:" + std::to_string(first + 13) +
                              ": [Inch 3/4]: DiaNom is given twice, at lines " +
                              std::to_string(first) + " and " + std::to_string(first + 13) +
                              "; the last, DiaNom=1.5, is used";
  EXPECT_NE(controls().Status.find(". Ready .... Warning: "), std::string::npos) << controls().Status;
  EXPECT_NE(controls().Status.find(warning), std::string::npos) << controls().Status;
}

// In the window every refusal, a bolt too short for its pitch included,
// leaves the choices to mend, and the status line keeps the report until one
// of them changes.
TEST_F(BoltAppOnDiskTest, WindowStaysAfterARefusalOrAWriteFailure) {
  UseShippedSizeTable();
  BoltApp& app = Start();
  for (const std::string& name : {Path("bolt\rDelete"), Path("again")}) {
    app.controls.TXT_File.text = name;
    app.CmdProcess_Click();
  }
  EXPECT_EQ(platform_.messages.size(), 1u);
  // Counted in characters: the folder's name holds a two-byte one.
  const std::string bolt = Path("bolt");
  const auto characters = std::count_if(bolt.begin(), bolt.end(), [](char c) { return (c & 0xC0) != 0x80; });
  EXPECT_TRUE(Messaged("\"" + bolt + "\\x0DDelete\" holds a control character (code 13) at character " +
                       std::to_string(characters + 1) + "."));
  int scripts = 0;
  for (const auto& entry : fs::directory_iterator(dir())) scripts += entry.path().extension() == ".scr";
  EXPECT_EQ(scripts, 1);
  EXPECT_TRUE(Exists(Path("again.scr")));

  // A length typed and not yet checked is checked first, as leaving the box
  // would; the name is composed again for it.
  app.controls.TXT_Nom_Length.text = "0.1";
  app.CmdProcess_Click();
  ASSERT_EQ(platform_.messages.size(), 2u);
  EXPECT_EQ(controls().TXT_Nom_Length.text, "0.100");
  EXPECT_EQ(controls().TXT_File.text, "IN_07500_HCSW-UNF_00100-3D(024)");
  // In the window a short bolt is a slip, not fatal, and the message says
  // what would work.
  const std::string said = platform_.messages[1];
  EXPECT_TRUE(said.starts_with("Bolt length (000.100) too short for pitch")) << said;
  const std::string shortest_is = "The shortest length that works for this size and pitch is ";
  ASSERT_NE(said.find(shortest_is), std::string::npos) << said;
  const std::string shortest = said.substr(said.find(shortest_is) + shortest_is.size());
  EXPECT_TRUE(platform_.ends.empty() && !app.exit_status());
  EXPECT_EQ(controls().Status, "(Nothing Written) " + said);
  app.UpdateReadyStatus();  // nothing changed: the report stays
  EXPECT_NE(controls().Status, "Ready");
  // The length named works, and a thousandth less does not.
  const double length = std::stod(shortest);
  for (const auto& [typed, name] : {std::pair{length - 0.001, "short"}, {length, "ok"}}) {
    app.controls.TXT_Nom_Length.text = std::to_string(typed);
    app.TXT_Nom_Length_Validate();
    app.controls.TXT_File.text = Path(name);
    app.CmdProcess_Click();
  }
  EXPECT_EQ(platform_.messages.size(), 3u);
  EXPECT_FALSE(Exists(Path("short.scr")));
  EXPECT_TRUE(Exists(Path("ok.scr")));
  EXPECT_EQ(controls().Status,
            "(Script File Written) ok.scr in " + os::Utf8FromPath(dir()) + ". Ready ....");
  app.SetCheck(app.controls.Chk_WBlock, true);
  app.UpdateReadyStatus();
  EXPECT_EQ(controls().Status, "Ready");
}

// Whatever the working folder holds under the table's name is the table: a
// folder is reported, never replaced by the copy beside the program.
TEST_F(BoltAppOnDiskTest, TheWorkingFoldersTableOfAnyKindIsReportedWithoutFallingBack) {
  fs::create_directories(dir() / "bin");
  fs::copy_file(dir() / "boltgen.ini", dir() / "bin" / "boltgen.ini");
  fs::remove(dir() / "boltgen.ini");
  EXPECT_FALSE(Start("/G:0").exit_status());  // only the installed copy: it is used
  fs::create_directory(dir() / "boltgen.ini");
  EXPECT_EQ(Start("/G:1").exit_status(), kExitFailed);
  ASSERT_EQ(platform_.messages.size(), 1u);
  // Named in the system's own spelling (backslashes on Windows).
  EXPECT_TRUE(Messaged(os::Utf8FromPath(dir() / "boltgen.ini") + " is a folder"))
      << platform_.messages[0];
}

// The walk: a rejected length in the window is never written, and
// "abc", "-1" and "0" each say one thing once.
TEST_F(BoltAppOnDiskTest, ARejectedLengthNeverReachesAGeneration) {
  UseShippedSizeTable();
  BoltApp& app = Start();
  for (const char* typed : {"2/3", "abc", "-1", "0"}) {
    SCOPED_TRACE(typed);
    platform_.messages.clear();
    app.controls.TXT_Nom_Length.text = typed;
    app.CmdProcess_Click();
    EXPECT_EQ(platform_.messages, std::vector<std::string>{std::string(kLengthMessage)});
    EXPECT_EQ(controls().TXT_Nom_Length.text, "3.000");
    EXPECT_EQ(controls().TXT_File.text, "IN_07500_HCSW-UNF_03000-3D(024)");
    // What is written is what the boxes show.
    ASSERT_NE(app.written_script(), "");
    const std::string script = ReadFile(app.written_script());
    EXPECT_NE(script.find("; Nominal Length: 0003.0000\r\n"), std::string::npos);
    fs::remove(os::PathFromUtf8(app.written_script()));
  }
  // A size changed later writes the accepted length too.
  app.controls.TXT_Nom_Length.text = "2/3";
  app.TXT_Nom_Length_Validate();
  app.SelectSize(6);
  EXPECT_NE(controls().TXT_File.text.find("_03000-"), std::string::npos);
}

// The name describes the part written: every choice it encodes, typed or
// picked, composes it again; a name edited after the last choice stays.
TEST_F(BoltAppTest, TheNameFollowsEveryChoiceItEncodes) {
  BoltApp& app = Start();
  app.SetCheck(app.controls.Chk_WF, false);
  EXPECT_EQ(controls().TXT_File.text, "IN_07500_BLTP-UNF_03000-3D(024)");
  app.controls.Chk_Nuts.checked = true;  // nuts bring the washer face back
  app.Chk_Nuts_Validate();
  EXPECT_EQ(controls().TXT_File.text, "IN_07500_HCSW-UNF_03000-3D(024)");
  app.controls.CMB_Segments.text = "48";  // typed, then the box left
  app.CMB_Segments_Validate();
  EXPECT_EQ(controls().TXT_File.text, "IN_07500_HCSW-UNF_03000-3D(048)");
  app.controls.TXT_File.text = "mine";
  app.CMB_Segments_Validate();  // nothing changed since: the edit stays
  EXPECT_EQ(controls().TXT_File.text, "mine");
}

// Every switch the program knows can be given in one run; a word that
// changes nothing is named on standard error.
TEST_F(BoltAppTest, NoSwitchWordIsDroppedSilently) {
  Start("/D:7 /P:0 /L:3 /S:1 /T:0 /N:1 /B:1 /W:1 /M:1 /X:1 /E:1 /d:2 /S:2");
  EXPECT_EQ(Checks(), "0111111110");
  EXPECT_EQ(controls().CMB_Segments.text, "48");
  EXPECT_EQ(platform_.notes,
            (std::vector<std::string>{
                "Not used: \"/S:1\", replaced by the later \"/S:2\".",
                "Not used: \"/d:2\" is no switch (see --help; letter case counts)."}));
  EXPECT_TRUE(platform_.messages.empty());
  Start("/D:7");
  EXPECT_TRUE(platform_.notes.empty());
}

// The window keeps the user's last choices; switches start from theirs.
TEST_F(BoltAppTest, TheWindowStartsWithTheChoicesItWasLeftWith) {
  BoltApp& app = Start();
  app.SelectSize(8);
  app.SelectPitch(1);
  app.SelectSegments(4);
  app.controls.TXT_Nom_Length.text = "50";
  app.TXT_Nom_Length_Validate();
  app.SetCheck(app.controls.Chk_No_Threads, true);
  app.SetCheck(app.controls.Chk_Rad_HEAD, false);
  app.SetCheck(app.controls.Chk_Nuts, true);
  app.SetCheck(app.controls.Chk_DXF, true);
  app.controls.TXT_Nom_Length.text = "7/8";  // typed, not accepted: not kept
  app.CmdExit_Click();
  const std::string name = controls().TXT_File.text;
  EXPECT_EQ(name, "MM_01200_HCSW-###_00500-3D(144)");

  Start();
  EXPECT_EQ(controls().Cmb_Size.text, "[ISO M12]");
  EXPECT_EQ(controls().Cmb_Pitch.text, "1.25");
  EXPECT_EQ(controls().TXT_Nom_Length.text, "50.000");
  EXPECT_EQ(Checks(), "1101100100");
  EXPECT_EQ(controls().TXT_File.text, name);
  EXPECT_TRUE(platform_.messages.empty());

  Start("/D:7");  // switches given: the switches' defaults, not the store
  EXPECT_EQ(controls().Cmb_Size.text, "[ANSI Inch 3/4]");
  EXPECT_EQ(Checks(), "1111000000");
  // A size the table no longer has and a damaged value are passed over.
  store_["size"] = "[Gone]";
  store_["length"] = "-4";
  store_["nuts"] = "yes";
  Start();
  EXPECT_EQ(controls().Cmb_Size.text, "[ANSI Inch 3/4]");
  EXPECT_EQ(controls().TXT_Nom_Length.text, "3.000");
  EXPECT_TRUE(controls().Chk_No_Threads.checked && !controls().Chk_Nuts.checked);
}

// A file the program did not write is replaced only when the user says so;
// its own scripts and every unattended run never ask.
TEST_F(BoltAppOnDiskTest, ReplacingAFileNotWrittenHereIsAskedFirst) {
  UseShippedSizeTable();
  const std::string mine = Path("mine.scr");
  Write("mine.scr", "my notes\r\n");
  BoltApp& app = Start();
  app.controls.TXT_File.text = Path("mine");
  app.CmdProcess_Click();
  ASSERT_EQ(platform_.questions.size(), 1u);
  EXPECT_NE(platform_.questions[0].find(mine), std::string::npos);
  EXPECT_EQ(ReadFile(mine), "my notes\r\n");
  EXPECT_EQ(controls().Status, "(Nothing Written) Not replaced: " + mine +
                                   " was not written by this program.");
  platform_.answer = true;
  app.CmdProcess_Click();
  EXPECT_EQ(platform_.questions.size(), 2u);
  EXPECT_TRUE(ReadFile(mine).starts_with("; This script file was created by"));
  app.CmdProcess_Click();  // now the program's own: replaced without a word
  EXPECT_EQ(platform_.questions.size(), 2u);

  Write("mine.scr", "my notes\r\n");
  EXPECT_EQ(Start("/G:1 /F:" + Path("mine")).exit_status(), kExitOk);
  EXPECT_TRUE(platform_.questions.empty());
}

}  // namespace
}  // namespace boltgen
