// Memory running out while a project's text is rendered. The test program's operator new
// is replaced here: armed, it refuses the next large request, as an exhausted heap would
// refuse the text buffer of a big project.
#include "model/CProject.h"

#include "model/CActivity.h"
#include "model/CProjectState.h"
#include "model/EProjectFileFormat.h"

#include "../StateTestHelpers.h"
#include "ProjectLog.h"
#include "ProjectTestHelpers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <new>
#include <string>

namespace {

// Larger than any request but the rendered text's (and its stream's growth).
const std::size_t kLargeRequest = 32 * 1024;
bool g_refuseLarge = false;

} // namespace

void* operator new(std::size_t size) {
    if (g_refuseLarge && size >= kLargeRequest) {
        g_refuseLarge = false;
        throw std::bad_alloc();
    }
    if (void* block = std::malloc(size == 0 ? 1 : size)) {
        return block;
    }
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept {
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

namespace {

using projecttest::CProjectLog;
using projecttest::CTempFolder;

std::string SystemText(DWORD error) {
    char buffer[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                   buffer, sizeof(buffer), nullptr);
    std::string text = buffer;
    text.erase(text.find_last_not_of(" \r\n.") + 1);
    return text;
}

std::string Bytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

TEST(ProjectSaveMemoryTest, RunningOutWhileRenderingFailsTheSaveAndWritesNothing) {
    const std::string outOfMemory = SystemText(ERROR_NOT_ENOUGH_MEMORY);
    ASSERT_FALSE(outOfMemory.empty());
    for (int format : {pffXML, pffBinary}) {
        CTempFolder folder;
        const std::string path = folder.Path("plan");
        CProject project;
        CActivity* activity = modeltest::AddActivity(*project.GetState(), "Work");
        for (int i = 0; i < 5000; ++i) {
            const double start = 40000.0 + i * 0.01;
            modeltest::AddTallymark(activity, CDateTime(start), CDateTime(start + 0.005));
        }
        CProjectLog log(project);
        // First to a new file, then over the file that a good save left.
        for (bool existing : {false, true}) {
            const std::string before = Bytes(path);
            project.SetModified(ppName);
            g_refuseLarge = true;
            bool saved = true;
            EXPECT_NO_THROW(saved = project.Save(false, nullptr, path.c_str(), format));
            EXPECT_FALSE(g_refuseLarge) << "the rendering asked for no large block";
            g_refuseLarge = false;
            EXPECT_FALSE(saved) << format;
            EXPECT_FALSE(log.saved) << format;
            EXPECT_EQ(log.saveError.GetCode(), 1);
            EXPECT_NE(log.saveError.GetText().find(outOfMemory), std::string::npos)
                << log.saveError.GetText();
            EXPECT_TRUE(project.IsModified(ppName));
            EXPECT_EQ(project.IsNew(), !existing);
            EXPECT_EQ(folder.Count(), existing ? 1 : 0) << "no backup and no new file";
            EXPECT_EQ(Bytes(path), before);
            if (!existing) {
                ASSERT_TRUE(project.Save(false, nullptr, path.c_str(), format));
                ASSERT_FALSE(Bytes(path).empty());
            }
        }
    }
}

} // namespace
