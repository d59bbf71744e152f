#pragma once

// SClosingQuestions: the texts of the questions that Tallymarks asks when it is closed
// (whether to stop the running work, whether to save a project), in every language the
// program may speak: its own string table and that of each language module beside it
// (Tallymarks_*.dll). Scripts that close the program recognise its questions by them.
//
//   SClosingQuestions questions = SClosingQuestions::Load(processId);
//   if (questions.IsAsked(textOfTheMessageBox)) { ... }

#include <windows.h>

#include <string>
#include <vector>

struct SClosingQuestions {
    // The questions of the program that runs as process; none when its file cannot be
    // found or read.
    static SClosingQuestions Load(DWORD process);
    // The questions of one program file or language module.
    void AddFrom(const std::string& modulePath);
    // Whether text is one of the questions, each placeholder ("[PROJECT]", "[ACTIVITY]")
    // standing for some text.
    bool IsAsked(const std::string& text) const;
    // Whether text reads as pattern once each of its placeholders stands for some text.
    static bool Matches(const std::string& text, const std::string& pattern);

    std::vector<std::string> patterns;
};
