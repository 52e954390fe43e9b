-- The tables vell-batchrule reads and writes on SQL Server, as the ERP keeps
-- them: the material groups and materials, the rule table, the module's
-- options; t_UserGroupAccess is the stand-alone host's demo grants only (a
-- host's own data-access service decides instead what a user may see).
--   sqlcmd -S SERVER -d DATABASE -i schema.sql
-- Texts are nvarchar in the ERP's Chinese collation: letter case and trailing
-- blanks do not count in comparisons, as the queries expect.

CREATE TABLE t_Item (
    FItemID int NOT NULL PRIMARY KEY,
    FItemClassID int NOT NULL,
    FNumber nvarchar(80) COLLATE Chinese_PRC_CI_AS NOT NULL,
    FName nvarchar(255) COLLATE Chinese_PRC_CI_AS NOT NULL,
    FParentID int NOT NULL DEFAULT 0,
    FDetail int NOT NULL DEFAULT 0
)
CREATE TABLE t_ICItem (
    FItemID int NOT NULL PRIMARY KEY,
    FNumber nvarchar(80) COLLATE Chinese_PRC_CI_AS NOT NULL,
    FName nvarchar(255) COLLATE Chinese_PRC_CI_AS NOT NULL,
    FParentID int NOT NULL DEFAULT 0,
    FBatchManager int NOT NULL DEFAULT 0
)
CREATE TABLE ICBatchNoRule (
    FID int NOT NULL,
    FItemID int NOT NULL,
    FPropertyID int NOT NULL,
    FUseShortNumber int NOT NULL DEFAULT 0,
    FFormatDate nvarchar(50) COLLATE Chinese_PRC_CI_AS NOT NULL DEFAULT '',
    FSelDefine nvarchar(255) COLLATE Chinese_PRC_CI_AS NOT NULL DEFAULT '',
    FWidth int NOT NULL DEFAULT 0,
    FCharacter nvarchar(10) COLLATE Chinese_PRC_CI_AS NOT NULL DEFAULT '',
    FSubCharacter nvarchar(10) COLLATE Chinese_PRC_CI_AS NOT NULL DEFAULT '',
    FDetail int NOT NULL DEFAULT 1
)
-- The batch issuer's counters, as vell-batchrule batch init creates them; the
-- rest of the number compares in the database's own collation.
CREATE TABLE ICBatchNoSerial (
    FItemID int NOT NULL,
    FRest nvarchar(255) NOT NULL,
    FNext bigint NOT NULL
)
-- Every batch number the issuer gave, per material: its unique index is what
-- keeps a number from being given twice, in the database's own collation.
CREATE TABLE ICBatchNoIssued (
    FItemID int NOT NULL,
    FBatchNo nvarchar(255) NOT NULL
)
-- Where each issued number came from: when, for whom, from which version of
-- the material's rule; beside ICBatchNoIssued, whose two columns stay as they are.
CREATE TABLE ICBatchNoIssuedTrace (
    FItemID int NOT NULL,
    FBatchNo nvarchar(255) NOT NULL,
    FTime datetime NOT NULL,
    FUserID int NOT NULL,
    FUserName nvarchar(80) NOT NULL,
    FVersion varchar(12) NOT NULL
)
-- Every rule write on record, as vell-batchrule init creates it: an entry
-- per owner written, and the rows the write replaced and wrote.
CREATE TABLE ICBatchNoRuleHistory (
    FEntryID int NOT NULL PRIMARY KEY,
    FTime datetime NOT NULL,
    FUserID int NOT NULL,
    FUserName nvarchar(80) NOT NULL,
    FDetail int NOT NULL,
    FItemID int NOT NULL,
    FSource varchar(10) NOT NULL,
    FBefore nvarchar(400) NOT NULL,
    FAfter nvarchar(400) NOT NULL,
    FMaterials int NOT NULL
)
CREATE TABLE ICBatchNoRuleHistoryRow (
    FEntryID int NOT NULL,
    FStage int NOT NULL,
    FItemID int NOT NULL,
    FDetail int NOT NULL,
    FID int NOT NULL,
    FPropertyID int NOT NULL,
    FUseShortNumber int NOT NULL,
    FFormatDate nvarchar(255) NOT NULL,
    FSelDefine nvarchar(255) NOT NULL,
    FWidth int NOT NULL,
    FCharacter nvarchar(10) NOT NULL,
    FSubCharacter nvarchar(10) NOT NULL
)
CREATE TABLE t_SystemProfile (
    FCategory nvarchar(30) COLLATE Chinese_PRC_CI_AS NOT NULL,
    FKey nvarchar(100) COLLATE Chinese_PRC_CI_AS NOT NULL,
    FValue nvarchar(255) COLLATE Chinese_PRC_CI_AS NULL,
    FReadonly int NOT NULL DEFAULT 0,
    FDescription nvarchar(255) COLLATE Chinese_PRC_CI_AS NULL,
    FLevel int NOT NULL DEFAULT 0,
    FExplanation nvarchar(1000) COLLATE Chinese_PRC_CI_AS NULL,
    FFormat nvarchar(255) COLLATE Chinese_PRC_CI_AS NULL,
    FSort decimal(10, 2) NULL,
    FDescription_cht nvarchar(255) COLLATE Chinese_PRC_CI_AS NULL,
    FDescription_en nvarchar(255) COLLATE Chinese_PRC_CI_AS NULL
)
CREATE TABLE t_UserGroupAccess (
    FUserID int NOT NULL,
    FGroupNumber nvarchar(80) COLLATE Chinese_PRC_CI_AS NOT NULL
)
GO

-- An index for every query the component sends: the tree's groups, a group's
-- materials, the spread's LIKE on the material numbers, a rule by its owner
-- and detail, an option by category and key, a user's grants.
CREATE INDEX ix_Item_Groups ON t_Item (FItemClassID, FDetail, FNumber)
CREATE INDEX ix_ICItem_Parent ON t_ICItem (FParentID, FBatchManager, FNumber)
CREATE INDEX ix_ICItem_Number ON t_ICItem (FNumber)
CREATE INDEX ix_BatchNoRule_Owner ON ICBatchNoRule (FItemID, FDetail, FID)
CREATE UNIQUE INDEX ix_BatchNoSerial_Key ON ICBatchNoSerial (FItemID, FRest)
CREATE UNIQUE INDEX ix_BatchNoIssued_Number ON ICBatchNoIssued (FItemID, FBatchNo)
CREATE INDEX ix_BatchNoIssuedTrace_Number ON ICBatchNoIssuedTrace (FItemID, FBatchNo)
CREATE INDEX ix_BatchNoRuleHistory_Owner ON ICBatchNoRuleHistory (FDetail, FItemID, FEntryID)
CREATE INDEX ix_BatchNoRuleHistoryRow_Entry ON ICBatchNoRuleHistoryRow (FEntryID, FStage, FItemID)
CREATE UNIQUE INDEX ix_SystemProfile_Key ON t_SystemProfile (FCategory, FKey)
CREATE INDEX ix_UserGroupAccess_User ON t_UserGroupAccess (FUserID, FGroupNumber)
GO
