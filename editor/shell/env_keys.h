#pragma once
// What the environment session knows about software types: the chooser's
// entries, the grid window's captions and the keys of each type's
// environment file (key set A for types 0 and 1, key set B for type 2), with
// the explanation shown beside each key and the settings field it comes from.

#include <QList>
#include <QString>
#include <QStringList>

struct TEq_Mgr;

namespace zor::editor {

// Types 0 to 2; "soft_type.his" holds one of them.
inline constexpr int kSoftTypeCount = 3;

// The chooser entry of `type` (0 to kSoftTypeCount - 1).
QString softTypeEntry(int type);
// The grid window's caption: types 0 and 1 have their own, any other value
// gets type 2's.
QString gridCaption(int type);

struct EnvKey {
    QString key;
    QString explanation;  // leading blank included
};

// The keys of `type` in grid order; none for a type outside 0 to 2.
QList<EnvKey> envKeys(int type);

// The value column for envKeys(type), one text per key, as read from a
// settings record: a text field shows "" when it is not set, a number field
// its decimal value, COMM_SIDE "EQUIPMENT" when non-zero and "HOST" when 0.
QStringList envValues(int type, const TEq_Mgr& settings);

}  // namespace zor::editor
