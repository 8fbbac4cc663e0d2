#pragma once
// The people store: the saved persons and their groups, in one SQLite file (through Qt SQL), shared by the
// desktop program and kalvora-cli. Every write is one transaction, and a writer waits (up to the busy timeout)
// for another program's write to finish, so that two programs writing at once both keep their write.
//
// Nothing is ever lost: a file that cannot be opened or read (damaged, written by a newer version of the program,
// not ours) is never written to; the store then reports itself unavailable with the reason, and moves the file
// aside under a dated name only when asked. A file in a folder the program may not write to is read but not
// written (read-only). A write that fails (the disk is full) is rolled back and reported.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "store/group.h"
#include "store/person.h"

namespace kalvora {

// A write or read of the store that failed; the message says why in the user's terms.
struct StoreFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

enum class StoreState {
    Ready,        // read and written
    ReadOnly,     // read, but writes are refused (`problem` says why)
    Unavailable,  // neither read nor written (`problem` says why); the file is left as it is
};

// The version of the file's layout this program writes (kept in the file's user_version).
inline constexpr int PeopleSchemaVersion = 3;

// How long a write waits for another program's write to finish before it fails.
inline constexpr int BusyTimeoutMilliseconds = 5000;

// The folder of the store: $KALVORA_DATA_DIR when set and not empty, else the user's data folder of the
// program "kalvora".
std::string PeopleFolder();
// The store's file in that folder.
std::string DefaultPeopleFile();

class PeopleStore {
public:
    // Opens (or creates) the file. Never throws: a file that cannot be used leaves the store ReadOnly or
    // Unavailable with the reason in Problem().
    explicit PeopleStore(std::string filePath = DefaultPeopleFile());
    ~PeopleStore();
    PeopleStore(const PeopleStore&) = delete;
    PeopleStore& operator=(const PeopleStore&) = delete;

    StoreState State() const { return state_; }
    const std::string& Problem() const { return problem_; }
    // Whether the file is one that moving aside would help: damaged, not a people file, written by a newer
    // version, or holding a damaged row. Not for a folder or a file the program may not use: moving does not
    // help there.
    bool SetAsideHelps() const;
    const std::string& FilePath() const { return filePath_; }

    // Everyone, by name, then by birth, damaged rows included (marked). Throws StoreFailure when the store is
    // unavailable or the read fails.
    std::vector<StoredPerson> List() const;
    // The people of one name (exactly as spelt), by birth.
    std::vector<StoredPerson> Named(const std::string& name) const;

    // The writes throw StoreFailure (nothing changed) when the store is not Ready, the person's data is wrong
    // or the write fails.
    std::int64_t Add(const Person& person);                    // returns the new key
    void Update(std::int64_t key, const Person& person);       // keeps `created`, sets `changed`
    // Refused (nothing changed), naming the groups, while the person belongs to a group: a group never loses a
    // member unless it is saved again without it.
    void Remove(std::int64_t key);
    // Adds every person not stored already with the same data, in one transaction; returns how many were added.
    // Stored `created` and `changed` times are kept (a backup read back); empty ones are set to now.
    std::size_t AddAll(const std::vector<StoredPerson>& people);
    // The same for a whole backup, then its groups, in the same transaction. A member is the person of its name
    // and birth in the backup, or else in the store; a member found in neither (or found as several people), or
    // a group whose name a different stored group has, refuses the whole backup, naming the entry. A group stored
    // already with the same members is left as it is.
    struct AddedCounts {
        std::size_t people = 0;
        std::size_t groups = 0;
    };
    AddedCounts AddAll(const PeopleBackup& backup);

    // The groups, by name, damaged ones included (marked). Throws StoreFailure as List does.
    std::vector<StoredGroup> Groups() const;
    // The group of that name (exactly as spelt), or none.
    std::optional<StoredGroup> GroupNamed(const std::string& name) const;
    // The names of the groups the person belongs to, by name.
    std::vector<std::string> GroupsOf(std::int64_t personKey) const;
    // Saves the group under its name: a new group, or in place of the one of that name (keeping its key and
    // creation time). Every member must be a stored person whose row is not damaged, each person once. Returns
    // the group's key. The group writes throw StoreFailure (nothing changed) as the person writes do.
    std::int64_t SaveGroup(const Group& group);
    // Refused when no group is named `from` or another group is named `to`.
    void RenameGroup(const std::string& from, const std::string& to);
    void RemoveGroup(std::int64_t key);  // the group only; its people stay saved

    // Moves the file (damaged, or from a newer version) aside to "<name>-set-aside-YYYYMMDD-HHMMSS<ext>" in its
    // folder and starts a new, empty store. Returns the new name of the old file. Throws StoreFailure when
    // moving would not help (SetAsideHelps) or the file could not be moved (it is then left where it was).
    std::string SetAsideAndStartNew();

    // Limits the file's size to `pages` pages of the database (testing a full disk; the limit lasts as long as
    // this store object).
    void LimitPages(int pages);

private:
    void Open();
    void Check();  // opens the connection and finds the state, reading the file only
    void Close();
    void Refuse(StoreState state, std::string problem);
    // Runs `write` inside BEGIN IMMEDIATE .. COMMIT; on any failure rolls back and throws StoreFailure.
    template <typename Write>
    auto Transaction(const char* what, Write write);

    std::string filePath_;
    std::string connection_;  // the Qt SQL connection name, unique to this object
    StoreState state_ = StoreState::Unavailable;
    std::string problem_;
    bool setAsideHelps_ = false;  // an unavailable file that moving aside would help
};

// A member of a group ready to calculate with: the stored person and the part.
struct GroupPerson {
    StoredPerson stored;
    std::string role;
    friend bool operator==(const GroupPerson&, const GroupPerson&) = default;
};

// The members of the group of that name, in the group's order, for a calculation with the group. Throws
// StoreFailure naming the group when none has the name or it is damaged (a member no longer stored, or a
// member's row damaged).
std::vector<GroupPerson> GroupPeople(const PeopleStore& store, const std::string& name);

}  // namespace kalvora
