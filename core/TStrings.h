#pragma once

#include <QString>
#include <QStringList>
#include <functional>

/// An ordered list of texts with one untyped object pointer per entry. The list never owns the
/// objects. Descendants supply storage through the protected access hooks; the public operations
/// are built on them.
class TStrings {
public:
    /// Handler fired after a change, with the list that changed.
    using TChangeEvent = std::function<void(TStrings* Sender)>;

    virtual ~TStrings();

    /// Number of entries.
    int Count() const { return GetCount(); }
    /// Text of entry i.
    QString Strings(int i) const { return Get(i); }
    /// Replaces the text of entry i.
    void setStrings(int i, const QString& s) { Put(i, s); }
    /// Object pointer of entry i (null when none).
    void* Objects(int i) const { return GetObject(i); }
    /// Replaces the object pointer of entry i.
    void setObjects(int i, void* o) { PutObject(i, o); }

    /// Appends a text; returns its index (or -1 where a list refuses it).
    virtual int Add(const QString& s);
    /// Appends a text with an object; returns its index (or -1 where a list refuses it).
    virtual int AddObject(const QString& s, void* o);
    /// Appends every text and object of another list.
    void AddStrings(const TStrings& source);
    /// Inserts a text before entry i (i == Count appends).
    virtual void Insert(int i, const QString& s) = 0;
    /// Inserts a text with an object before entry i.
    void InsertObject(int i, const QString& s, void* o);
    /// Removes entry i.
    virtual void Delete(int i) = 0;
    /// Removes every entry.
    virtual void Clear() = 0;
    /// Swaps the texts and objects of two entries.
    virtual void Exchange(int a, int b);
    /// Moves entry from to position to, with its object.
    virtual void Move(int from, int to);
    /// Replaces the contents by the texts and objects of source.
    virtual void Assign(const TStrings& source);
    /// Index of the first entry equal to s ignoring case, -1 if none.
    virtual int IndexOf(const QString& s) const;

    /// Opens an update bracket; brackets nest.
    void BeginUpdate();
    /// Closes an update bracket.
    void EndUpdate();
    /// Depth of open update brackets.
    int UpdateCount() const { return m_updateCount; }

    /// The entries as one comma-text line.
    QString CommaText() const;
    /// Replaces the entries by the items of a comma-text line (objects null).
    void setCommaText(const QString& text);
    /// The entries, each followed by a carriage return and a line feed.
    QString Text() const;
    /// Replaces the entries by the lines of text (split at CR, LF or CR LF; a last line without
    /// a line end counts).
    void setText(const QString& text);
    /// The texts as a QStringList.
    QStringList ToStringList() const;

    /// Fired after a change, by the lists that report changes.
    TChangeEvent OnChange;

protected:
    TStrings() = default;
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;

    virtual QString Get(int i) const = 0;
    virtual int GetCount() const = 0;
    /// Default: delete entry i and insert s with the old object.
    virtual void Put(int i, const QString& s);
    /// Default: no objects are kept, so null.
    virtual void* GetObject(int i) const;
    /// Default: objects are ignored.
    virtual void PutObject(int i, void* o);
    /// Called when the update depth leaves or returns to zero.
    virtual void SetUpdateState(bool updating);

private:
    int m_updateCount = 0;
};
