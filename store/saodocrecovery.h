// Working copies left behind by an editor that stopped without closing its
// documents (a crash, a kill, a power cut): finding those that hold unsaved
// work, and discarding them. A copy is offered only when no running editor
// holds it (WorkingCopyLock), it belongs to this user and it is a working copy
// container; saoDoc::openRecovered opens one as a modified document.
#pragma once

#include "store/workingcopylock.h"

#include <filesystem>
#include <memory>
#include <vector>

namespace plexo {

struct RecoveryCandidate {
    std::filesystem::path copy;            // the working copy left behind
    std::filesystem::path document;        // its document; empty for an untitled one
    std::unique_ptr<WorkingCopyLock> lock; // held while the user decides

    explicit operator bool() const { return lock != nullptr; }
};

// The working copy beside the document ("path.tmp") when it is newer than the
// document: it then holds changes made after the last save. An empty candidate
// when there is none, it is in use, or it holds nothing newer.
RecoveryCandidate findRecoverableCopy(const std::filesystem::path& document);

// The untitled documents' working copies of the private folder that hold a
// document header (the work was checkpointed), oldest first.
std::vector<RecoveryCandidate> findUntitledCopies();
std::vector<RecoveryCandidate> findUntitledCopies(const std::filesystem::path& folder);

// Deletes the copy (the user chose to ignore it) and lets its lock go.
bool discardRecoverableCopy(RecoveryCandidate& candidate);

// Deletes the working copy beside the document ("path.tmp") when it holds
// nothing newer than the document and no running editor holds it: a copy left
// by an editor that stopped with the document unchanged. The document then
// takes its working copy's usual name again instead of one in the private
// folder, where it would later pass for an untitled document's. True when a
// copy was deleted.
bool removeStaleWorkingCopy(const std::filesystem::path& document);

} // namespace plexo
