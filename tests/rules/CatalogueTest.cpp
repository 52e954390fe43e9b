#include "PropertyCatalogue.h"
#include "RuleFixture.h"
#include "TestSupport.h"

namespace {

class Catalogue : public RuleFixture {};

TEST_F(Catalogue, HoldsTwentySixKeysInTheFixedOrder)
{
    const ValueBag& list = CurrentModuleState().propertyList;
    QStringList keys;
    for (int i = 1; i <= list.Count(); ++i)
        keys << list.KeyAt(i);
    EXPECT_EQ(keys.join(","), "1ID,1Name,2ID,2Name,4ID,4Name,5ID,5Name,8ID,8Name,3ID,3Name,20ID,20Name,21ID,21Name,"
                              "22ID,22Name,23ID,23Name,24ID,24Name,25ID,25Name,26ID,26Name");
    EXPECT_EQ(list.Get("26ID"), QVariant(26));
}

TEST_F(Catalogue, SimplifiedChineseNamesAreTheStoredTexts)
{
    QStringList names;
    for (int id : {1, 2, 4, 5, 8, 3, 20, 21, 22, 23, 24, 25, 26})
        names << PropertyName(id);
    EXPECT_EQ(names.join(","), "客户代码,部门代码,物料代码,仓库代码,供应商代码,业务员代码,单据号码,选单号码,项目号,日期,"
                               "自定义,行号,流水号");
}

TEST_F(Catalogue, IdOutsideTheCatalogueHasNoName)
{
    EXPECT_EQ(PropertyName(6), "");
    EXPECT_EQ(PropertyName(-1), "");
}

TEST_F(Catalogue, KindsFollowTheId)
{
    for (int id : {1, 2, 3, 4, 5, 8})
        EXPECT_EQ(KindOf(id), PropertyKind::BaseData) << id;
    for (int id : {20, 21, 22, 0, 6, 7, 9, 19, 27, -3})
        EXPECT_EQ(KindOf(id), PropertyKind::DocumentNumber) << id;
    EXPECT_EQ(KindOf(23), PropertyKind::Date);
    EXPECT_EQ(KindOf(24), PropertyKind::Custom);
    EXPECT_EQ(KindOf(25), PropertyKind::LineNumber);
    EXPECT_EQ(KindOf(26), PropertyKind::Serial);
}

class EnglishCatalogue : public RuleFixture {
protected:
    EnglishCatalogue() : RuleFixture("UserID=16394;LANGUAGE=en") {}
};

TEST_F(EnglishCatalogue, NamesAreTranslated)
{
    EXPECT_NE(PropertyName(26), "流水号");
    EXPECT_FALSE(PropertyName(26).isEmpty());
    EXPECT_NE(PropertyName(24), "自定义");
}

TEST_F(EnglishCatalogue, PropertyIsFoundByItsIdOrItsNameInEitherLanguage)
{
    const QString serial = PropertyName(26);
    for (const QString& given : {QString("26"), QString("026"), QString("流水号"), serial, serial.toUpper()})
        EXPECT_EQ(PropertyIdOf(given), 26) << given.toStdString();
    EXPECT_EQ(PropertyIdOf("项目号"), 22) << "catalogued, though the editor never offers it";
    for (const QString& given : {QString(), QString("0"), QString("6"), QString("27"), QString("流水")})
        EXPECT_EQ(PropertyIdOf(given), 0) << given.toStdString();
}

}
