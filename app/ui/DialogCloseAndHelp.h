#pragma once

// AnswerCloseAndHelp: how a dialog of the program answers the window's close box and F1,
// for its OnDialogMessage to hand on what it does not answer itself:
//
//   default:
//       return AnswerCloseAndHelp(*this, event, IDS_HELP_ABOUT);
//
// WM_CLOSE closes the dialog; WM_HELP shows the help page of topicStringId over it and
// answers TRUE. Any other message is left alone and answers false.

class CDialogWindow;
class CDialogMessageEvent;

bool AnswerCloseAndHelp(CDialogWindow& dialog, CDialogMessageEvent& event, int topicStringId);
