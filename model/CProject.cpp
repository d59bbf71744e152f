#include "model/CProject.h"

#include "library/files/CDataStream.h"
#include "library/text/CText.h"
#include "library/windows/CTempCursor.h"
#include "model/CClockNotices.h"
#include "model/CProjectBackups.h"
#include "model/CProjectBrowser.h"
#include "model/CProjectState.h"
#include "model/CSaveCheck.h"
#include "model/CTranslator.h"
#include "resources/ResourceIds.h"

#include <windows.h>

#include <exception>
#include <new>

namespace {

const UINT kWaitCursor = 32514; // IDC_WAIT

// Name, activities and tally marks: the parts that make a title show unsaved changes.
const CBitmask<EProjectPart> kContentParts = ppName | ppActivities | ppTallymarks;

// The text that takes the place of [ERROR] in the message of a failed save.
CText SaveFailureText(uint32_t status, uint32_t systemError) {
    unsigned int id = IDS_SAVE_UNKNOWN;
    switch (status) {
    case dfsNoBackup:
        id = IDS_SAVE_NO_BACKUP;
        break;
    case dfsDamagedNoBackup:
        id = IDS_SAVE_DAMAGED_NO_BACKUP;
        break;
    case dfsDamagedWithBackup:
        id = IDS_SAVE_DAMAGED_WITH_BACKUP;
        break;
    case dfsNotWritten: {
        CText text("[ERROR]");
        text.ReplaceWithSystemError("[ERROR]", systemError, CText(IDS_UNKNOWN_ERROR), true);
        return text;
    }
    case dfsNotWrittenBackupLeft:
        id = IDS_SAVE_BACKUP_LEFT;
        break;
    case dfsRestoreFailed:
        id = IDS_SAVE_RESTORE_FAILED;
        break;
    case dfsReopenFailed:
        id = IDS_SAVE_REOPEN_FAILED;
        break;
    default:
        break;
    }
    return CText(id);
}

} // namespace

CProject::CProject(bool userProject) : m_userProject(userProject) {
    m_states.push_back(std::make_unique<CProjectState>());
    CSlot<CProjectStateModifiedEvent>::Connect(m_states.front().get());
}

CProject::~CProject() {
    CSlot<CProjectStateModifiedEvent>::DisconnectAll();
    // Newest first: a clone never outlives the state it was made from.
    while (!m_states.empty()) {
        m_states.pop_back();
    }
    m_dataFile.Close();
}

CProjectState* CProject::GetState(bool newest) const {
    return newest ? m_states.back().get() : m_states.front().get();
}

bool CProject::HasState(const CProjectState* state) const {
    for (const auto& own : m_states) {
        if (own.get() == state) {
            return true;
        }
    }
    return false;
}

void CProject::SetModified(const CBitmask<EProjectPart>& parts) {
    m_modified |= parts;
    CProjectModifiedEvent event(this, parts);
    CSignal<CProjectModifiedEvent>::Emit(event);
}

bool CProject::OnStateModified(CProjectStateModifiedEvent& event) {
    SetModified(event.parts);
    return true;
}

CFilePath CProject::GetFilePath(bool nameFallback) const {
    if (m_filePath.IsValid() || !nameFallback) {
        return m_filePath;
    }
    return CFilePath(GetState()->GetName());
}

SProjectEntry CProject::GetNameAndPath() const {
    SProjectEntry entry;
    entry.name = GetState()->GetName();
    entry.filePath = GetFilePath(true);
    return entry;
}

CError CProject::Load(const CFilePath& path) {
    CDataStream stream;
    if (!m_dataFile.Read(stream, path.GetPath().c_str())) {
        const DWORD systemError = GetLastError();
        CText text(IDS_PROJECT_READ_FAILED);
        text.ReplaceWithSystemError("[ERROR]", systemError, CText(IDS_UNKNOWN_ERROR), true);
        return CError(systemError == ERROR_SHARING_VIOLATION ? 3 : 1, text.GetString());
    }
    m_filePath = path;
    m_writable = !m_dataFile.IsReadOnly();

    CProjectState* state = GetState();
    CTranslator* translator = nullptr;
    ETranslatorResult result = CTranslator::Detect(*state, stream, translator);
    std::unique_ptr<CTranslator> owner(translator);
    if (result == trOK) {
        m_format = translator->GetFormat();
        state->Reset(true);
        result = translator->Load();
        state->EnableTracking();
    }
    if (result == trOK) {
        m_new = false;
        m_initialised = true;
        return CError();
    }
    CText text;
    switch (result) {
    case trNotThisFormat:
        text.Load(IDS_PROJECT_NOT_THIS_FORMAT);
        break;
    case trNewerVersion:
        text.Load(IDS_PROJECT_NEWER_VERSION);
        text.ReplaceWithString("[VERSION]", translator->GetVersionReadText(), true);
        break;
    default:
        text.Load(IDS_PROJECT_DAMAGED);
        break;
    }
    if (result != trNewerVersion) {
        // A save that could not finish may have left a good copy beside the file.
        const std::string backup = CProjectBackups::FindComplete(path.GetPath());
        if (!backup.empty()) {
            CText found(IDS_LOAD_BACKUP_AVAILABLE);
            found.ReplaceWithString("[BACKUPFILEPATH]", backup, true);
            return CError(1, text.GetString() + found.GetString());
        }
    }
    return CError(1, text.GetString());
}

bool CProject::Save(bool forceAsk, CProjectState* state, const char* path, int format) {
    const bool committed = state == nullptr;
    if (committed) {
        state = GetState();
    }
    std::string target;
    bool newLocation = true;
    if (path != nullptr) {
        target = path;
    } else if (!m_new && !forceAsk && m_writable && m_format != 0) {
        target = m_dataFile.GetPath();
        format = m_format;
        newLocation = false;
    } else {
        CProjectBrowser answer;
        {
            // The listener's file dialog lets messages run: the project may be closed, and
            // this object deleted, before it answers.
            const std::weak_ptr<const bool> alive = m_alive;
            CTempCursor wait(kWaitCursor, nullptr);
            CProjectAskNewLocationEvent ask(this, m_format);
            answer = CSignal<CProjectAskNewLocationEvent>::Emit(ask, alive);
            if (alive.expired()) {
                return false;
            }
        }
        if (committed) {
            state = GetState();
        } else if (!HasState(state)) {
            return false;
        }
        if (!answer.IsConfirmed()) {
            return true;
        }
        target = answer.GetFilePath();
        format = answer.GetFormat();
    }

    SDataFileSaveResult saved;
    DWORD systemError = ERROR_SUCCESS;
    CDataStream stream;
    bool rendered = false;
    // What the readers would refuse is never written: the file and its backup stay.
    const CText refusal = CSaveCheck::FindRefusal(*state);
    const bool refused = !refusal.GetString().empty();
    try {
        std::unique_ptr<CTranslator> translator(
            !refused ? CTranslator::Create(*state, format, stream) : nullptr);
        if (translator) {
            translator->Save();
            rendered = true;
        } else {
            // Not a format: nothing can be written.
            saved.status = UINT32_MAX;
        }
    } catch (const std::bad_alloc&) {
        // The whole text is rendered before a byte goes to disk: running out of memory on
        // the way is an ordinary failure to save that leaves the file as it was.
        stream.Clear();
        saved.status = dfsNotWritten;
        systemError = ERROR_NOT_ENOUGH_MEMORY;
    }
    if (rendered) {
        saved = m_dataFile.Write(stream, newLocation ? target.c_str() : nullptr);
        systemError = GetLastError();
    } else {
        saved.ok = false;
        saved.path = target;
    }

    CError error;
    CText text;
    if (saved.ok) {
        state->ClearModified();
        m_modified.Clear();
        m_new = false;
        m_writable = true;
        if (newLocation) {
            m_format = format;
            const CFilePath oldPath = m_filePath;
            m_filePath.SetFromString(target);
            CProjectFilePathChangedEvent changed(this, oldPath);
            CSignal<CProjectFilePathChangedEvent>::Emit(changed);
        }
        if (saved.status == dfsBackupNotDeleted) {
            text.Load(IDS_SAVE_BACKUP_NOT_REMOVED);
        }
    } else {
        text.Load(IDS_PROJECT_SAVE_FAILED);
        text.ReplaceWithText("[ERROR]",
                             refused ? refusal : SaveFailureText(saved.status, systemError), true);
        m_writable = !m_dataFile.IsReadOnly();
    }
    if (!text.GetString().empty()) {
        text.ReplaceWithString("[PROJECTNAME]", state->GetName(), true);
        text.ReplaceWithString("[BACKUPFILEPATH]", saved.backupPath, true);
        text.ReplaceWithString("[DESTFILEPATH]", saved.path, true);
        text.ReplaceWithSystemError("[ERROR]", systemError, CText(IDS_UNKNOWN_ERROR), true);
        error = CError(1, text.GetString());
    }
    // A listener's message box lets messages run too.
    CProjectSavedEvent savedEvent(this, saved.ok, newLocation, error);
    CSignal<CProjectSavedEvent>::Emit(savedEvent, m_alive);
    return saved.ok;
}

std::string CProject::GetTitle() const {
    std::string title = GetState()->GetName();
    if (!m_writable) {
        title += " (" + CText(IDS_PROJECT_READ_ONLY).GetString() + ")";
    }
    if (m_modified.HasAny(kContentParts)) {
        title += " *";
    }
    return title;
}

void CProject::StartStateTracking() {
    const CProjectState* original = m_states.back().get();
    m_states.push_back(m_states.back()->Clone());
    CClockNotices::Get().Hold(m_states.back().get(), original);
}

void CProject::DropStateTracking(size_t depth) {
    if (depth > 1 && depth < m_states.size()) {
        m_droppedDepths.insert(depth);
    }
}

// Every announcement is made, also after an earlier one threw: a listener that misses the
// switch would keep the deleted state, and one that misses the end would wait for good.
void CProject::EndStateTracking(bool commit) {
    if (m_states.size() <= 1) {
        return;
    }
    std::unique_ptr<CProjectState> edited = std::move(m_states.back());
    m_states.pop_back();
    std::exception_ptr failure;
    const auto announce = [&failure](const auto& emit) {
        try {
            emit();
        } catch (...) {
            if (!failure) {
                failure = std::current_exception();
            }
        }
    };
    if (commit) {
        std::unique_ptr<CProjectState> old = std::move(m_states.back());
        m_states.pop_back();
        const bool becomesCommitted = m_states.empty();
        CProjectState* editedState = edited.get();
        m_states.push_back(std::move(edited));
        if (becomesCommitted) {
            CSlot<CProjectStateModifiedEvent>::Disconnect(old.get());
            CSlot<CProjectStateModifiedEvent>::Connect(editedState);
            announce([editedState] { editedState->EndDeferral(); });
        }
        // The ends this copy stored are the project's now (or the outer copy's).
        announce([editedState, &old] { CClockNotices::Get().Commit(editedState, old.get()); });
        CProjectStateSwitchedEvent switched(this, old.get(), editedState);
        announce([this, &switched] { CSignal<CProjectStateSwitchedEvent>::Emit(switched); });
    }
    if (m_states.size() == 1) {
        CProjectEndStateTrackingEvent ended(this);
        announce([this, &ended] { CSignal<CProjectEndStateTrackingEvent>::Emit(ended); });
    } else if (m_droppedDepths.erase(m_states.size()) != 0) {
        announce([this] { EndStateTracking(false); });
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}
