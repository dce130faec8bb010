#pragma once
// The hooks of a definition form that follow from its kind's zoredit calls
// alone: listing, the deleted flag, the soft delete, and setting and
// releasing the one record the form builds. An editor whose kind has one
// fixed table of calls derives from this and adds only its detail area.

#include <QByteArray>
#include <type_traits>

#include "editor/forms/definition_form.h"
#include "editor/shell/library.h"
#include "editor/shell/sjis.h"

namespace zor::editor {

template <const auto& Calls>
class RecordForm : public DefinitionForm {
  public:
    using DefinitionForm::DefinitionForm;

  protected:
    using CallTable = std::remove_cvref_t<decltype(Calls)>;

    std::vector<DefinitionEntry> listEntries() override {
        if constexpr (kTextKey)
            return textEntries(Calls.list);
        else
            return binEntries(Calls.list);
    }
    bool entryDeleted(const QString& id) override {
        return withKey(id, [](auto key) { return lib::isDeleted(Calls, key); });
    }
    int deleteEntry(const QString& id) override {
        return withKey(id, [](auto key) { return lib::softDelete(Calls, key); });
    }
    // Gets the entry whose list cell reads `id` into a zeroed `record`; 0 on
    // success.
    static int getEntry(const QString& id, typename CallTable::Record* record) {
        return withKey(id, [record](auto key) { return Calls.get(0, key, record); });
    }
    int storeRecord() override { return Calls.set(0, record_.get()); }
    void releaseRecord() override { record_.release(); }

    lib::Record<typename CallTable::Record> record_;

  private:
    static constexpr bool kTextKey = std::is_same_v<typename CallTable::Key, const char*>;

    // The list cell as the kind's key: a number, or the text ID in Shift-JIS
    // exactly as listed (an ID may begin with a blank).
    template <typename F>
    static auto withKey(const QString& id, F call) {
        if constexpr (kTextKey) {
            const QByteArray key = toSjis(id);
            return call(key.constData());
        } else {
            return call(idOf(id));
        }
    }
};

}  // namespace zor::editor
