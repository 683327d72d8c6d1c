#include "model/labelformat.h"
#include "storage/document.h"
#include "storage/labelfile.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "storage_testutil.h"

namespace {

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        items_.LabelFormat = TLabelFormat{3, 2, 0, 0, 0, 0, false};
        items_.SetSurfaceSize(288, 192);
        doc_.OnStateChange = [this] { ++stateChanges_; };
    }
    TLabelControl *AddText(const QString &text)
    {
        auto *t = new TTextLabel;
        t->Text = text;
        items_.AddItem(t);
        return t;
    }
    QString Path(const QString &name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
    TItemContainer items_;
    TLabelDocument doc_{items_};
    int stateChanges_ = 0;
};

} // namespace

TEST_F(DocumentTest, SaveSetsTheNameAndClearsModifiedAFailedSaveChangesNothing)
{
    AddText("one");
    doc_.SetLabelModified(true);
    ASSERT_TRUE(doc_.SaveLabelFile(Path("a.lbl")));
    EXPECT_EQ(doc_.CurrentLabelFile, Path("a.lbl"));
    EXPECT_FALSE(doc_.LabelModified);
    const QByteArray saved = ReadAll(Path("a.lbl"));

    for (int i = 0; i < 40; ++i)
        AddText(QString(200, u'x'));
    doc_.SetLabelModified(true);
    QString error;
    EXPECT_FALSE(WithFileSizeLimit(saved.size() + 100, [&] { return doc_.SaveLabelFile(Path("a.lbl"), &error); }));
    EXPECT_TRUE(error.startsWith(QStringLiteral("无法写入到 %1: ").arg(Path("a.lbl")))) << error.toStdString();
    EXPECT_EQ(ReadAll(Path("a.lbl")), saved);
    EXPECT_TRUE(doc_.LabelModified);

    WriteAll(Path("plain"), "x");
    EXPECT_FALSE(doc_.SaveLabelFile(Path("plain/b.lbl"), &error));
    EXPECT_EQ(doc_.CurrentLabelFile, Path("a.lbl"));
    EXPECT_TRUE(doc_.LabelModified);

    doc_.SetTemplateModified(true);
    EXPECT_FALSE(doc_.SaveTemplateFile(Path("plain/t.lbf"), &error));
    EXPECT_TRUE(doc_.CurrentTemplateFile.isEmpty());
    EXPECT_TRUE(doc_.TemplateModified);
    ASSERT_TRUE(doc_.SaveTemplateFile(Path("t.lbf")));
    EXPECT_EQ(doc_.CurrentTemplateFile, Path("t.lbf"));
    EXPECT_FALSE(doc_.TemplateModified);
    EXPECT_GT(stateChanges_, 0);
}

TEST_F(DocumentTest, LoadingATemplateKeepsTheItemsAndTheLabelName)
{
    items_.LabelFormat.Label_Width = 5;
    ASSERT_TRUE(SaveLabelFormat(Path("wide.lbf"), items_.LabelFormat));
    items_.LabelFormat.Label_Width = 3;
    AddText("stays");
    doc_.CurrentLabelFile = Path("x.lbl");
    ASSERT_TRUE(doc_.LoadTemplateFile(Path("wide.lbf")));
    EXPECT_EQ(items_.LabelFormat.Label_Width, 5);
    EXPECT_EQ(items_.SurfaceWidth(), 480);
    EXPECT_EQ(items_.Items.size(), 1);
    EXPECT_EQ(doc_.CurrentLabelFile, Path("x.lbl"));
    EXPECT_EQ(doc_.CurrentTemplateFile, Path("wide.lbf"));
}

TEST_F(DocumentTest, LoadingALabelReplacesANonEmptyOne)
{
    AddText("a");
    AddText("b");
    ASSERT_TRUE(doc_.SaveLabelFile(Path("two.lbl")));
    doc_.CurrentTemplateFile = Path("t.lbf");
    doc_.SetLabelModified(true);
    items_.LabelFormat.Label_Height = 1;

    ASSERT_TRUE(doc_.LoadLabelFile(Path("two.lbl")));
    EXPECT_EQ(items_.Items.size(), 2);
    EXPECT_EQ(items_.SelectedItem, nullptr);
    for (TLabelControl *i : items_.Items)
        EXPECT_FALSE(i->Selected);
    EXPECT_EQ(items_.LabelFormat.Label_Height, 2);
    EXPECT_EQ(items_.SurfaceHeight(), 192);
    EXPECT_EQ(doc_.CurrentLabelFile, Path("two.lbl"));
    EXPECT_TRUE(doc_.CurrentTemplateFile.isEmpty()); // emptied by the new label
    EXPECT_FALSE(doc_.LabelModified);

    // A missing file changes nothing at all.
    QString error;
    EXPECT_FALSE(doc_.LoadLabelFile(Path("none.lbl"), &error));
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(items_.Items.size(), 2);
    EXPECT_EQ(doc_.CurrentLabelFile, Path("two.lbl"));
}

TEST_F(DocumentTest, CommandLineAndDroppedFilesOpenByExtension)
{
    ASSERT_TRUE(SaveLabelFormat(Path("f.LbF"), items_.LabelFormat));
    WriteAll(Path("pic.bmp"), "BM");
    WriteAll(Path("notes.txt"), "x");
    ASSERT_TRUE(doc_.SaveLabelFile(Path("second.lbl")));
    doc_.CurrentLabelFile.clear();

    EXPECT_EQ(DocumentKindOf("a.LBL"), TDocumentKind::Label);
    EXPECT_EQ(DocumentKindOf("/x.y/a.lbf"), TDocumentKind::Template);
    EXPECT_EQ(DocumentKindOf("lbl"), TDocumentKind::None);
    EXPECT_EQ(FirstOpenableFile({Path("missing.lbl"), Path("pic.bmp"), Path("second.lbl"), Path("f.LbF")}),
              Path("second.lbl"));
    EXPECT_TRUE(FirstOpenableFile({Path("pic.bmp")}).isEmpty());

    EXPECT_FALSE(doc_.OpenDocument(Path("notes.txt")));
    EXPECT_TRUE(doc_.OpenDocument(Path("f.LbF")));
    EXPECT_EQ(doc_.CurrentTemplateFile, Path("f.LbF"));
    EXPECT_TRUE(doc_.CurrentLabelFile.isEmpty());
    EXPECT_TRUE(doc_.OpenDocument(Path("second.lbl")));
    EXPECT_EQ(doc_.CurrentLabelFile, Path("second.lbl"));
}

TEST_F(DocumentTest, AFileWithoutAFormatSectionIsRefusedAndChangesNothing)
{
    AddText("kept");
    doc_.CurrentLabelFile = Path("kept.lbl");
    doc_.CurrentTemplateFile = Path("kept.lbf");
    doc_.SetLabelModified(true);
    const struct {
        const char *name, *content;
    } notLabels[] = {{"prices.lbl", "name,price\r\napple,3\r\n"},
                     {"empty.lbl", ""},
                     {"items-only.lbl", "[CNT_1]\r\nTYPE=TEXT\r\nTEXT=x\r\n"},
                     {"notes.lbf", "[SETTINGS]\r\nWIDTH=9\r\n"}};
    for (const auto &c : notLabels) {
        SCOPED_TRACE(c.name);
        WriteAll(Path(c.name), c.content);
        QString error;
        EXPECT_FALSE(doc_.OpenDocument(Path(c.name), &error));
        EXPECT_EQ(error, NotALabelMessage(Path(c.name)));
        EXPECT_TRUE(error.contains(Path(c.name)));
        ASSERT_EQ(items_.Items.size(), 1);
        EXPECT_EQ(items_.Items[0]->Text, "kept");
        EXPECT_EQ(items_.LabelFormat.Label_Width, 3);
        EXPECT_EQ(doc_.CurrentLabelFile, Path("kept.lbl"));
        EXPECT_EQ(doc_.CurrentTemplateFile, Path("kept.lbf"));
        EXPECT_TRUE(doc_.LabelModified);
    }
    // Section names are matched without regard to case, as on the original platform.
    WriteAll(Path("lower.lbl"), "[format]\r\nWIDTH=4\r\n");
    EXPECT_TRUE(doc_.LoadLabelFile(Path("lower.lbl")));
    EXPECT_EQ(items_.LabelFormat.Label_Width, 4);
}

TEST_F(DocumentTest, QuerySave)
{
    const struct {
        const char *name;
        bool modified, counter, autoSave;
        TSaveAnswer answer;
        bool goOn;
        int asked, saves;
        bool saveFails = false; // the file cannot be written (a full disk)
    } cases[] = {
        {"unmodified", false, false, true, TSaveAnswer::Cancel, true, 0, 0},
        {"cancel", true, false, true, TSaveAnswer::Cancel, false, 1, 0},
        {"no", true, false, true, TSaveAnswer::No, true, 1, 0},
        {"yes", true, false, true, TSaveAnswer::Yes, true, 1, 1},
        {"yes, but the save fails", true, false, true, TSaveAnswer::Yes, false, 1, 1, true},
        {"counter saved first", false, true, true, TSaveAnswer::Cancel, true, 0, 1},
        {"counter then question", true, true, true, TSaveAnswer::Yes, true, 1, 2},
        {"counter, option off", false, true, false, TSaveAnswer::Cancel, true, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        items_.ClearItems();
        TLabelControl *item = AddText("x");
        if (c.counter) {
            item->Advanced = true;
            item->Fields.push_back(std::make_unique<TSequenceField>());
        }
        doc_.LabelModified = c.modified;
        int asked = 0, saves = 0;
        const bool goOn = doc_.QuerySave(
            c.autoSave,
            [&] {
                ++saves;
                if (c.saveFails)
                    doc_.SaveLabelFile(QStringLiteral("/nonexistent-folder/a.lbl"));
            },
            [&] {
            ++asked;
            return c.answer;
        });
        EXPECT_EQ(goOn, c.goOn);
        EXPECT_EQ(asked, c.asked);
        EXPECT_EQ(saves, c.saves);
    }
}

TEST_F(DocumentTest, NewLabelEmptiesEverythingButTheFormat)
{
    AddText("x");
    doc_.CurrentLabelFile = "a.lbl";
    doc_.CurrentTemplateFile = "a.lbf";
    doc_.LabelModified = doc_.TemplateModified = true;
    doc_.NewLabel();
    EXPECT_TRUE(items_.Items.isEmpty());
    EXPECT_TRUE(doc_.CurrentLabelFile.isEmpty());
    EXPECT_TRUE(doc_.CurrentTemplateFile.isEmpty());
    EXPECT_FALSE(doc_.LabelModified);
    EXPECT_FALSE(doc_.TemplateModified);
    EXPECT_EQ(items_.LabelFormat.Label_Width, 3);
}
