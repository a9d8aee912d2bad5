#include "ThrownMessage.h"
#include "core/EListError.h"
#include "core/TStringList.h"

#include <gtest/gtest.h>

namespace {

TStringList* make(std::initializer_list<const char*> items) {
    auto* l = new TStringList;
    for (const char* s : items)
        l->Add(QString::fromUtf8(s));
    return l;
}

} // namespace

TEST(StringList, BadIndicesRaiseListIndexErrorWithTheIndexAndChangeNothing) {
    std::unique_ptr<TStringList> l(make({"a", "b"}));
    EXPECT_EQ(ThrownMessage<EListError>([&] { (void)l->Strings(2); }), "List index out of bounds (2)");
    EXPECT_EQ(ThrownMessage<EListError>([&] { (void)l->Strings(-1); }), "List index out of bounds (-1)");
    EXPECT_EQ(ThrownMessage<EListError>([&] { l->setStrings(5, "x"); }), "List index out of bounds (5)");
    EXPECT_EQ(ThrownMessage<EListError>([&] { l->setObjects(2, nullptr); }), "List index out of bounds (2)");
    EXPECT_EQ(ThrownMessage<EListError>([&] { l->Insert(3, "x"); }), "List index out of bounds (3)");
    EXPECT_EQ(ThrownMessage<EListError>([&] { l->Delete(2); }), "List index out of bounds (2)");
    EXPECT_EQ(ThrownMessage<EListError>([&] { l->Exchange(0, 7); }), "List index out of bounds (7)");
    EXPECT_EQ(ThrownMessage<EListError>([&] { l->Move(0, 2); }), "List index out of bounds (2)");
    EXPECT_EQ(l->ToStringList(), (QStringList{"a", "b"}));
    EXPECT_NO_THROW(l->Insert(2, "c")) << "Insert at Count appends";
}

TEST(StringList, ObjectsTravelWithTheirTexts) {
    std::unique_ptr<TStringList> l(make({}));
    int x = 0, y = 0, z = 0;
    l->AddObject("x", &x);
    l->AddObject("y", &y);
    l->AddObject("z", &z);
    l->Move(0, 2);
    EXPECT_EQ(l->ToStringList(), (QStringList{"y", "z", "x"}));
    EXPECT_EQ(l->Objects(2), &x);
    l->Exchange(0, 1);
    EXPECT_EQ(l->Strings(0), "z");
    EXPECT_EQ(l->Objects(0), &z);
    l->Insert(1, "new");
    EXPECT_EQ(l->Objects(1), nullptr);
    EXPECT_EQ(l->Objects(2), &y);

    TStringList copy;
    copy.Add("old");
    copy.Assign(*l);
    EXPECT_EQ(copy.ToStringList(), l->ToStringList());
    EXPECT_EQ(copy.Objects(3), &x);
}

TEST(StringList, OnChangeFiresPerChangeOrOnceAfterAnUpdateBracket) {
    std::unique_ptr<TStringList> l(make({"a"}));
    int fired = 0;
    l->OnChange = [&](TStrings* sender) {
        EXPECT_EQ(sender, l.get());
        ++fired;
    };
    l->Add("b");
    l->setStrings(0, "A");
    l->Delete(1);
    EXPECT_EQ(fired, 3);

    fired = 0;
    l->BeginUpdate();
    l->BeginUpdate();
    l->Add("c");
    l->Add("d");
    l->EndUpdate();
    EXPECT_EQ(fired, 0);
    l->EndUpdate();
    EXPECT_EQ(fired, 1);
    l->BeginUpdate();
    l->EndUpdate();
    EXPECT_EQ(fired, 1) << "an empty bracket reports nothing";
}

TEST(StringList, IndexOfIgnoresCase) {
    std::unique_ptr<TStringList> l(make({"Who", "Time", "2"}));
    EXPECT_EQ(l->IndexOf("time"), 1);
    EXPECT_EQ(l->IndexOf("2"), 2);
    EXPECT_EQ(l->IndexOf("Speed"), -1);
}

TEST(StringList, TextEndsEveryLineWithCrLfAndReadsAnyLineEnd) {
    std::unique_ptr<TStringList> l(make({"a", "", "c"}));
    EXPECT_EQ(l->Text(), "a\r\n\r\nc\r\n");
    l->setText("one\r\ntwo\nthree\rfour");
    EXPECT_EQ(l->ToStringList(), (QStringList{"one", "two", "three", "four"}));
    l->setText("x\r\n");
    EXPECT_EQ(l->ToStringList(), QStringList{"x"});
    l->setText("");
    EXPECT_EQ(l->Count(), 0);
}
