#pragma once

#include "core/TStrings.h"

#include <vector>

/// A plain string list held in one array. Indices outside 0..Count-1 (0..Count for Insert) raise
/// EListError. OnChange fires after each change, or once when the outermost update bracket closes.
class TStringList : public TStrings {
public:
    TStringList() = default;
    ~TStringList() override;

    void Insert(int i, const QString& s) override;
    void Delete(int i) override;
    void Clear() override;
    void Exchange(int a, int b) override;
    void Move(int from, int to) override;

protected:
    QString Get(int i) const override;
    int GetCount() const override;
    void Put(int i, const QString& s) override;
    void* GetObject(int i) const override;
    void PutObject(int i, void* o) override;
    void SetUpdateState(bool updating) override;

private:
    struct Entry {
        QString text;
        void* object = nullptr;
    };
    void checkIndex(int i) const;
    void changed();

    std::vector<Entry> m_entries;
    bool m_changedWhileUpdating = false;
};
