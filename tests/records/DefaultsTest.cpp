// Default records: one row per box with a value, put back when the format opens again, and
// "S" boxes handing their values on to the later pages of a multi-page format.

#include "RecordsFixture.h"
#include "records/Defaults.h"

using namespace bw;

namespace {

class Defaults : public test::RecordsFixture {
protected:
    void SetUp() override {
        RecordsFixture::SetUp();
        const QList<test::BoxSpec> boxes{
            {0, "S姓名"}, {0, "s备注"}, {0, "金额"}, {1, "S加急"}, {2, "图片"}};
        for (const char* page : {"base_1", "base_2", "base_3", "base_10", "based_3"})
            pages[page] = AddFormat(page, boxes);
    }
    // The default rows as "format:ID=value", in order of format and ID.
    QStringList Rows() {
        Recordset rs;
        OpenRecordset(rs, "SELECT Fmt, ID, Con FROM 默认 ORDER BY Fmt, ID");
        QStringList rows;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            rows << rs.Text("Fmt") + ":" + rs.Text("ID") + "=" + rs.Text("Con");
        return rows;
    }
    QString Row(const char* page, int box, const QString& value) {
        return QString("%1:%2=%3").arg(page).arg(pages[page][box]).arg(value);
    }
    std::map<QString, std::vector<qint64>> pages;
};

TEST_F(Defaults, SBoxesHandTheirValuesOnToTheLaterPagesOnly) {
    EXPECT_EQ(FormatPages("base_2"), QStringList({"base_2", "base_1", "base_10", "base_3"}));
    EXPECT_EQ(FormatPages("based"), QStringList({"based"}));
    EXPECT_EQ(FormatPageNumber("base_10"), 10);
    EXPECT_EQ(FormatPageNumber("12ab"), 12);

    Open("base_2");
    Text(1)->SetText("张三");
    Text(2)->SetText("小写s不传");
    Check(1)->SetValue(1);
    SaveDefaultData("base_2");
    SaveDefaultData("base_2");  // twice: still one row per box
    const QStringList expected{Row("base_10", 0, "张三"), Row("base_10", 3, "1"),
                               Row("base_2", 0, "张三"),  Row("base_2", 1, "小写s不传"),
                               Row("base_2", 3, "1"),     Row("base_3", 0, "张三"),
                               Row("base_3", 3, "1")};
    EXPECT_EQ(Rows(), expected);

    // base_3 shows what base_2 handed on; leaving it replaces its rows as a whole.
    Open("base_3");
    LoadDefaultData("base_3");
    EXPECT_EQ(Text(1)->Text(), "张三");
    EXPECT_EQ(Check(1)->Value(), 1);
    EXPECT_EQ(Text(2)->Text(), "");
    Text(1)->SetText("");
    Check(1)->SetValue(0);
    SaveDefaultData("base_3");
    EXPECT_FALSE(Rows().join(";").contains("base_3:"));
}

TEST_F(Defaults, EmptyBoxesStoreNothingAndValuesComeBack) {
    Open("based_3");
    SaveDefaultData("based_3");
    EXPECT_TRUE(Rows().isEmpty());
    Text(3)->SetText("12.50");
    Check(1)->SetValue(1);
    SaveDefaultData("based_3");
    EXPECT_EQ(Rows(), QStringList({Row("based_3", 2, "12.50"), Row("based_3", 3, "1")}));
    Text(3)->SetText("");
    Check(1)->SetValue(0);
    LoadDefaultData("based_3");
    EXPECT_EQ(Text(3)->Text(), "12.50");
    EXPECT_EQ(Check(1)->Value(), 1);
}

TEST_F(Defaults, AFormatNameWithWildcardsReachesOnlyItsOwnSet) {
    const QList<test::BoxSpec> boxes{{0, "S号"}};
    const auto own = AddFormat("a%_1", boxes), later = AddFormat("a%_2", boxes);
    AddFormat("ab_2", boxes);
    AddFormat("a'_3", boxes);
    Open("a%_1");
    Text(1)->SetText("N1");
    SaveDefaultData("a%_1");
    EXPECT_EQ(Rows(), QStringList({QString("a%_1:%1=N1").arg(own[0]),
                                   QString("a%_2:%1=N1").arg(later[0])}));
}

}  // namespace
