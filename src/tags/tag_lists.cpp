#include "tags/tag_lists.h"

#include <QDir>

#include <algorithm>

namespace tag_lists {

bool Is_Sorted_Kind(int kind)
{
    return kind == 2 || kind == 3;
}

bool Is_Movable_Kind(int kind)
{
    return kind == 0 || kind == 1;
}

int Sorted_Place(const QStringList& list, const QString& entry)
{
    const auto at = std::upper_bound(list.begin(), list.end(), entry, [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return int(at - list.begin());
}

QString One_Line(const QString& text)
{
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}

int Visible_Rows(int listHeight, int rowHeight)
{
    if (rowHeight <= 0)
        return 1;
    return std::max(1, listHeight / rowHeight - 1);
}

int Top_Row_Showing(int index, int topRow, int visibleRows)
{
    if (index - topRow >= visibleRows)
        topRow = index - visibleRows + 1;
    if (topRow > index)
        topRow = index;
    return topRow;
}

QString Store_Failure_Message(const QList<Store_Failure>& failures)
{
    if (failures.size() == 1)
        return QStringLiteral("The list file\n%1\ncould not be written (%2).\n\n"
                              "The file keeps its previous entries; the list keeps your changes "
                              "while this window is open.")
            .arg(QDir::toNativeSeparators(failures[0].Path), fs::describe(failures[0].Io));
    QString files;
    for (const Store_Failure& f : failures)
        files += QStringLiteral("%1 (%2)\n").arg(QDir::toNativeSeparators(f.Path), fs::describe(f.Io));
    return QStringLiteral("These list files could not be written:\n%1\n"
                          "Each file keeps its previous entries; the lists keep your changes "
                          "while this window is open.")
        .arg(files);
}

// ---- the lists ----------------------------------------------------------------

TagListSet::List& TagListSet::list(int kind, Place place)
{
    return lists_[std::size_t((place == Place::Working ? 0 : Kind_Count) + std::clamp(kind, 0, Kind_Count - 1))];
}

const TagListSet::List& TagListSet::list(int kind, Place place) const
{
    return const_cast<TagListSet*>(this)->list(kind, place);
}

void TagListSet::touch(List& l)
{
    l.changed = true;
    l.failureTold = false;
}

void TagListSet::Load(int kind, Place place, const QStringList& entries, fs::Result read)
{
    List& l = list(kind, place);
    l.entries = entries;
    if (Is_Sorted_Kind(kind))
        std::stable_sort(l.entries.begin(), l.entries.end(), [](const QString& a, const QString& b) {
            return QString::compare(a, b, Qt::CaseInsensitive) < 0;
        });
    l.changed = false;
    l.failureTold = false;
    l.read = read == fs::Result::NotFound ? fs::Result::Ok : read;
    edited_ = false;
    editText_.clear();
    if (kind == kind_) {
        if (place == Place::Working)
            wfIndex_ = -1;
        else
            rfIndex_ = -1;
    }
}

const QStringList& TagListSet::Entries(int kind, Place place) const
{
    return list(kind, place).entries;
}

bool TagListSet::Changed(int kind, Place place) const
{
    return list(kind, place).changed;
}

void TagListSet::Change_Tag(int kind)
{
    Tag_Changed();
    wfIndex_ = -1;
    rfIndex_ = -1;
    kind_ = kind >= 0 && kind < Kind_Count ? kind : 0;
}

void TagListSet::WF_Selected(int index)
{
    Tag_Changed();
    wfIndex_ = index >= 0 && index < Entries(kind_, Place::Working).size() ? index : -1;
    rfIndex_ = -1;
}

void TagListSet::RF_Selected(int index)
{
    Tag_Changed();
    rfIndex_ = index >= 0 && index < Entries(kind_, Place::Reference).size() ? index : -1;
    wfIndex_ = -1;
}

void TagListSet::Edit(const QString& text)
{
    if (wfIndex_ < 0)
        return;
    edited_ = true;
    editText_ = text;
    editKind_ = kind_;
    editIndex_ = wfIndex_;
}

bool TagListSet::Tag_Changed()
{
    if (!edited_)
        return false;
    edited_ = false;
    const QString text = One_Line(editText_);
    editText_.clear();
    List& l = list(editKind_, Place::Working);
    if (text.isEmpty() || editIndex_ < 0 || editIndex_ >= l.entries.size())
        return false;
    if (l.entries[editIndex_] == text)
        return false;
    l.entries.removeAt(editIndex_);
    int at = editIndex_;
    if (Is_Sorted_Kind(editKind_))
        at = Sorted_Place(l.entries, text);
    l.entries.insert(at, text);
    touch(l);
    if (editKind_ == kind_ && wfIndex_ == editIndex_)
        wfIndex_ = at;
    return true;
}

bool TagListSet::Delete_Tag(Place place)
{
    if (place == Place::Working)
        Tag_Changed();
    int& index = place == Place::Working ? wfIndex_ : rfIndex_;
    List& l = list(kind_, place);
    if (index < 0 || index >= l.entries.size())
        return false;
    l.entries.removeAt(index);
    touch(l);
    // What the list now shows selected: the entry that took its place.
    index = std::min(index, int(l.entries.size()) - 1);
    return true;
}

int TagListSet::Copy_Tag(Place from)
{
    if (from == Place::Working)
        Tag_Changed();
    const int index = Index(from);
    const QStringList& source = Entries(kind_, from);
    if (index < 0 || index >= source.size())
        return -1;
    const QString entry = source[index];
    List& to = list(kind_, from == Place::Working ? Place::Reference : Place::Working);
    const int at = Is_Sorted_Kind(kind_) ? Sorted_Place(to.entries, entry) : int(to.entries.size());
    to.entries.insert(at, entry);
    touch(to);
    return at;
}

TagListSet::Move TagListSet::Scroll_Tag(Place place, int places, int topRow, int visibleRows)
{
    if (place == Place::Working)
        Tag_Changed();
    Move m;
    m.Top_Row = topRow;
    int& index = place == Place::Working ? wfIndex_ : rfIndex_;
    m.Index = index;
    List& l = list(kind_, place);
    if (!Is_Movable_Kind(kind_) || index < 0 || index >= l.entries.size() || places == 0)
        return m;
    const qint64 to = qint64(index) + places;
    if (to < 0 || to >= l.entries.size())
        return m;
    l.entries.move(index, int(to));
    touch(l);
    index = int(to);
    m.Moved = true;
    m.Index = index;
    m.Top_Row = Top_Row_Showing(index, topRow, visibleRows);
    return m;
}

void TagListSet::Delete_All(Place place)
{
    if (place == Place::Working) {
        edited_ = false;
        editText_.clear();
    }
    List& l = list(kind_, place);
    l.entries.clear();
    touch(l);
    // The user confirmed replacing whatever the file held.
    l.read = fs::Result::Ok;
    (place == Place::Working ? wfIndex_ : rfIndex_) = -1;
}

TagListSet::Action TagListSet::Store_Action(int kind, Place place) const
{
    const List& l = list(kind, place);
    if (!l.changed)
        return Action::Leave;
    if (l.read != fs::Result::Ok)
        return Action::Refuse;
    return l.entries.isEmpty() ? Action::Remove : Action::Rewrite;
}

fs::Result TagListSet::Read_Result(int kind, Place place) const
{
    return list(kind, place).read;
}

bool TagListSet::Stored(int kind, Place place, fs::Result result)
{
    List& l = list(kind, place);
    if (result == fs::Result::Ok) {
        l.changed = false;
        l.failureTold = false;
        return false;
    }
    const bool tell = !l.failureTold;
    l.failureTold = true;
    return tell;
}

} // namespace tag_lists
