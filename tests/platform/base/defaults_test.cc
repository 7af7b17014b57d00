#include "platform/base/defaults.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <thread>
#include <vector>

namespace base {
namespace {

namespace fs = std::filesystem;

// A folder of the test's own, removed with everything in it when the test ends.
struct TempFolder {
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "velkor-defaults-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }
  fs::path path_;
};

void writeFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Files beside the store whose names start with "<store name>.corrupt-", main files only.
std::vector<fs::path> setAside(const fs::path& store) {
  std::vector<fs::path> found;
  for (const auto& entry : fs::directory_iterator(store.parent_path())) {
    std::string name = entry.path().filename().string();
    std::string prefix = store.filename().string() + ".corrupt-";
    bool companion = name.ends_with("-wal") || name.ends_with("-shm") || name.ends_with("-journal");
    if (name.starts_with(prefix) && !companion) found.push_back(entry.path());
  }
  return found;
}

void execute(const fs::path& file, const char* sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
  char* error = nullptr;
  EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
  sqlite3_free(error);
  sqlite3_close(db);
}

TEST(Defaults, ValuesSurviveReopeningTheFile) {
  TempFolder folder;
  fs::path file = folder.path() / "nested" / "defaults.sqlite";
  {
    auto defaults = Defaults::open(file);
    ASSERT_EQ(defaults->path(), file);
    defaults->setString("tag_list", R"([{"id":1,"name":"A","slug":"a"}])");
    defaults->setInteger("big", std::numeric_limits<std::int64_t>::max());
    defaults->setDouble("server_time_gap", -0.125);
    defaults->setBool("VELKOR_TUTORIAL_SHOWN", true);
    defaults->setString("gone", "x");
    defaults->removeObject("gone");
    defaults->setInteger("replaced", 1);
    defaults->setInteger("replaced", 2);
  }
  auto reopened = Defaults::open(file);
  // JSON held as text stays text: readers decode it themselves.
  EXPECT_EQ(reopened->object("tag_list"), nlohmann::json(R"([{"id":1,"name":"A","slug":"a"}])"));
  EXPECT_EQ(reopened->integer("big"), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(reopened->doubleValue("server_time_gap"), -0.125);
  EXPECT_EQ(reopened->object("VELKOR_TUTORIAL_SHOWN"), nlohmann::json(true));
  EXPECT_FALSE(reopened->object("gone"));
  EXPECT_EQ(reopened->integer("replaced"), 2);
}

TEST(Defaults, ReadsAnswerAcrossTypes) {
  struct Case {
    const char* name;
    nlohmann::json stored;
    std::optional<std::string> text;
    std::int64_t integer;
    double number;
    bool flag;
  };
  const Case cases[] = {
      {"absent", nullptr, std::nullopt, 0, 0.0, false},
      // A stored zero is present, which is how getInt tells it from a fresh install.
      {"zero", 0, "0", 0, 0.0, false},
      {"double truncates", 3.99, "3.99", 3, 3.99, true},
      {"double too big saturates", 1e300, "1e+300", std::numeric_limits<std::int64_t>::max(), 1e300, true},
      {"blanks and sign", "  -12abc", "  -12abc", -12, -12.0, true},
      {"YES", "YES", "YES", 0, 0.0, true},
      {"NO", "NO", "NO", 0, 0.0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto defaults = Defaults::inMemory();
    if (c.stored.is_string()) defaults->setString("k", c.stored.get<std::string>());
    if (c.stored.is_boolean()) defaults->setBool("k", c.stored.get<bool>());
    if (c.stored.is_number_integer()) defaults->setInteger("k", c.stored.get<std::int64_t>());
    if (c.stored.is_number_float()) defaults->setDouble("k", c.stored.get<double>());
    EXPECT_EQ(defaults->object("k").has_value(), !c.stored.is_null());
    EXPECT_EQ(defaults->string("k"), c.text);
    EXPECT_EQ(defaults->integer("k"), c.integer);
    EXPECT_DOUBLE_EQ(defaults->doubleValue("k"), c.number);
    EXPECT_EQ(defaults->boolValue("k"), c.flag);
  }
}

TEST(Defaults, AnUnreadableFileIsSetAsideAndTheStoreStartsEmpty) {
  const std::pair<const char*, void (*)(const fs::path&)> cases[] = {
      {"not a database", [](const fs::path& file) { writeFile(file, "this is not a database, just text\n"); }},
      {"damaged pages",
       [](const fs::path& file) {
         {
           auto defaults = Defaults::open(file);
           for (int i = 0; i < 200; ++i) defaults->setString("key" + std::to_string(i), std::string(100, 'x'));
         }
         std::string bytes = readFile(file);
         ASSERT_GT(bytes.size(), 8192u);
         for (std::size_t at = 4096; at < 8192; ++at) bytes[at] = '\xA5';
         writeFile(file, bytes);
       }},
  };
  for (const auto& [name, spoil] : cases) {
    SCOPED_TRACE(name);
    TempFolder folder;
    fs::path file = folder.path() / "defaults.sqlite";
    spoil(file);
    std::string spoiled = readFile(file);

    auto defaults = Defaults::open(file);
    ASSERT_EQ(defaults->path(), file);
    EXPECT_FALSE(defaults->object("key0"));
    std::vector<fs::path> aside = setAside(file);
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_TRUE(readFile(aside[0]) == spoiled) << "the file set aside differs from the one found";

    defaults->setString("after", "works");
    defaults.reset();
    EXPECT_EQ(Defaults::open(file)->string("after"), "works");
  }
}

TEST(Defaults, ABadRowIsSkippedAndTheOthersKept) {
  TempFolder folder;
  fs::path file = folder.path() / "defaults.sqlite";
  Defaults::open(file)->setInteger("good", 7);
  execute(file, "INSERT INTO defaults VALUES ('bad', '{not json')");
  auto defaults = Defaults::open(file);
  EXPECT_EQ(defaults->integer("good"), 7);
  EXPECT_FALSE(defaults->object("bad"));
  EXPECT_TRUE(setAside(file).empty());
}

TEST(Defaults, ValuesWithoutAStoredFormAreRefusedOrMadeWellFormed) {
  TempFolder folder;
  fs::path file = folder.path() / "defaults.sqlite";
  auto defaults = Defaults::open(file);
  defaults->setDouble("nan", std::nan(""));
  defaults->setDouble("infinite", std::numeric_limits<double>::infinity());
  EXPECT_FALSE(defaults->object("nan"));
  EXPECT_FALSE(defaults->object("infinite"));

  // A cut-off UTF-8 sequence reads the same now and after a restart.
  defaults->setString("cut", "ab\xEC\x95");
  std::optional<std::string> now = defaults->string("cut");
  defaults.reset();
  EXPECT_EQ(Defaults::open(file)->string("cut"), now);
  EXPECT_EQ(now, "ab\xEF\xBF\xBD");
}

TEST(Defaults, ConcurrentWritersLoseNothing) {
  TempFolder folder;
  fs::path file = folder.path() / "defaults.sqlite";
  constexpr int kThreads = 6;
  constexpr int kWrites = 40;
  {
    auto defaults = Defaults::open(file);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
      threads.emplace_back([&, t] {
        for (int i = 0; i < kWrites; ++i) {
          defaults->setInteger("thread" + std::to_string(t) + "." + std::to_string(i), i);
          defaults->setInteger("shared", t);
          (void)defaults->integer("shared");
        }
        defaults->removeObject("thread" + std::to_string(t) + ".0");
      });
    }
    for (auto& thread : threads) thread.join();
  }
  auto reopened = Defaults::open(file);
  for (int t = 0; t < kThreads; ++t) {
    EXPECT_FALSE(reopened->object("thread" + std::to_string(t) + ".0"));
    for (int i = 1; i < kWrites; ++i) {
      EXPECT_EQ(reopened->integer("thread" + std::to_string(t) + "." + std::to_string(i)), i);
    }
  }
  EXPECT_GE(reopened->integer("shared"), 0);
  EXPECT_LT(reopened->integer("shared"), kThreads);
}

}  // namespace
}  // namespace base
