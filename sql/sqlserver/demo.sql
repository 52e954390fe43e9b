-- The demo data of vell-batchrule on SQL Server: material groups and materials,
-- a few rules, the batch options and the demo host's access grants.
-- After schema.sql:  sqlcmd -S SERVER -d DATABASE -i demo.sql
-- Every Chinese text is an N'' literal, so it arrives whole whatever the database's code page.

DELETE FROM t_Item
INSERT INTO t_Item (FItemID,FItemClassID,FNumber,FName,FParentID,FDetail) VALUES (1,4,'01',N'原材料',0,0)
INSERT INTO t_Item (FItemID,FItemClassID,FNumber,FName,FParentID,FDetail) VALUES (2,4,'01.01',N'钢材',1,0)
INSERT INTO t_Item (FItemID,FItemClassID,FNumber,FName,FParentID,FDetail) VALUES (3,4,'01.02',N'化工原料',1,0)
INSERT INTO t_Item (FItemID,FItemClassID,FNumber,FName,FParentID,FDetail) VALUES (4,4,'02',N'半成品',0,0)
INSERT INTO t_Item (FItemID,FItemClassID,FNumber,FName,FParentID,FDetail) VALUES (5,4,'03',N'产成品',0,0)
INSERT INTO t_Item (FItemID,FItemClassID,FNumber,FName,FParentID,FDetail) VALUES (6,4,'03.01',N'电子产品',5,0)
INSERT INTO t_Item (FItemID,FItemClassID,FNumber,FName,FParentID,FDetail) VALUES (7,4,'03.02',N'食品饮料',5,0)
INSERT INTO t_Item (FItemID,FItemClassID,FNumber,FName,FParentID,FDetail) VALUES (8,4,'010',N'包装物',0,0)
INSERT INTO t_Item (FItemID,FItemClassID,FNumber,FName,FParentID,FDetail) VALUES (101,4,'01.01.001',N'冷轧钢板 1.0mm',2,1)
INSERT INTO t_Item (FItemID,FItemClassID,FNumber,FName,FParentID,FDetail) VALUES (102,4,'01.01.002',N'热轧卷板 Q235',2,1)
INSERT INTO t_Item (FItemID,FItemClassID,FNumber,FName,FParentID,FDetail) VALUES (103,4,'01.01.003',N'镀锌钢管 DN50',2,1)
INSERT INTO t_Item (FItemID,FItemClassID,FNumber,FName,FParentID,FDetail) VALUES (111,4,'01.02.001',N'环氧树脂 E-51',3,1)
INSERT INTO t_Item (FItemID,FItemClassID,FNumber,FName,FParentID,FDetail) VALUES (112,4,'01.02.002',N'无水乙醇 99.7%',3,1)
INSERT INTO t_Item (FItemID,FItemClassID,FNumber,FName,FParentID,FDetail) VALUES (201,4,'02.001',N'主控电路板组件',4,1)
INSERT INTO t_Item (FItemID,FItemClassID,FNumber,FName,FParentID,FDetail) VALUES (202,4,'02.002',N'电源模块',4,1)
INSERT INTO t_Item (FItemID,FItemClassID,FNumber,FName,FParentID,FDetail) VALUES (301,4,'03.01.001',N'智能手机 X1',6,1)
INSERT INTO t_Item (FItemID,FItemClassID,FNumber,FName,FParentID,FDetail) VALUES (302,4,'03.01.002',N'平板电脑 T8',6,1)
INSERT INTO t_Item (FItemID,FItemClassID,FNumber,FName,FParentID,FDetail) VALUES (311,4,'03.02.001',N'天然矿泉水 550ml',7,1)
INSERT INTO t_Item (FItemID,FItemClassID,FNumber,FName,FParentID,FDetail) VALUES (312,4,'03.02.002',N'绿茶饮料 500ml',7,1)
INSERT INTO t_Item (FItemID,FItemClassID,FNumber,FName,FParentID,FDetail) VALUES (313,4,'03.02.003',N'乌龙茶饮料 500ml',7,1)
INSERT INTO t_Item (FItemID,FItemClassID,FNumber,FName,FParentID,FDetail) VALUES (801,4,'010.001',N'五层瓦楞纸箱',8,1)
GO

DELETE FROM t_ICItem
INSERT INTO t_ICItem (FItemID,FNumber,FName,FParentID,FBatchManager) VALUES (101,'01.01.001',N'冷轧钢板 1.0mm',2,1)
INSERT INTO t_ICItem (FItemID,FNumber,FName,FParentID,FBatchManager) VALUES (102,'01.01.002',N'热轧卷板 Q235',2,1)
INSERT INTO t_ICItem (FItemID,FNumber,FName,FParentID,FBatchManager) VALUES (103,'01.01.003',N'镀锌钢管 DN50',2,0)
INSERT INTO t_ICItem (FItemID,FNumber,FName,FParentID,FBatchManager) VALUES (111,'01.02.001',N'环氧树脂 E-51',3,1)
INSERT INTO t_ICItem (FItemID,FNumber,FName,FParentID,FBatchManager) VALUES (112,'01.02.002',N'无水乙醇 99.7%',3,1)
INSERT INTO t_ICItem (FItemID,FNumber,FName,FParentID,FBatchManager) VALUES (201,'02.001',N'主控电路板组件',4,1)
INSERT INTO t_ICItem (FItemID,FNumber,FName,FParentID,FBatchManager) VALUES (202,'02.002',N'电源模块',4,0)
INSERT INTO t_ICItem (FItemID,FNumber,FName,FParentID,FBatchManager) VALUES (301,'03.01.001',N'智能手机 X1',6,1)
INSERT INTO t_ICItem (FItemID,FNumber,FName,FParentID,FBatchManager) VALUES (302,'03.01.002',N'平板电脑 T8',6,1)
INSERT INTO t_ICItem (FItemID,FNumber,FName,FParentID,FBatchManager) VALUES (311,'03.02.001',N'天然矿泉水 550ml',7,1)
INSERT INTO t_ICItem (FItemID,FNumber,FName,FParentID,FBatchManager) VALUES (312,'03.02.002',N'绿茶饮料 500ml',7,1)
INSERT INTO t_ICItem (FItemID,FNumber,FName,FParentID,FBatchManager) VALUES (313,'03.02.003',N'乌龙茶饮料 500ml',7,1)
INSERT INTO t_ICItem (FItemID,FNumber,FName,FParentID,FBatchManager) VALUES (801,'010.001',N'五层瓦楞纸箱',8,1)
GO

DELETE FROM ICBatchNoRule
INSERT INTO ICBatchNoRule (FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter,FDetail) VALUES (1,7,4,1,'','',6,'0','',0)
INSERT INTO ICBatchNoRule (FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter,FDetail) VALUES (2,7,23,0,'yymmdd','',6,'','',0)
INSERT INTO ICBatchNoRule (FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter,FDetail) VALUES (3,7,26,0,'','1',4,'','',0)
INSERT INTO ICBatchNoRule (FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter,FDetail) VALUES (1,101,8,0,'','',6,'0','Z',1)
INSERT INTO ICBatchNoRule (FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter,FDetail) VALUES (2,101,24,0,'','-',1,'','',1)
INSERT INTO ICBatchNoRule (FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter,FDetail) VALUES (3,101,23,0,'yymm','',4,'','',1)
INSERT INTO ICBatchNoRule (FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter,FDetail) VALUES (4,101,26,0,'','1',3,'','',1)
INSERT INTO ICBatchNoRule (FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter,FDetail) VALUES (1,301,20,0,'','',10,'0','',1)
INSERT INTO ICBatchNoRule (FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter,FDetail) VALUES (2,301,25,0,'00','',2,'','',1)
INSERT INTO ICBatchNoRule (FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter,FDetail) VALUES (1,311,23,0,'yyyymmdd','',8,'','',1)
INSERT INTO ICBatchNoRule (FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter,FDetail) VALUES (2,311,26,0,'','1',4,'','',1)
INSERT INTO ICBatchNoRule (FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter,FDetail) VALUES (1,312,4,1,'','',6,'0','',1)
INSERT INTO ICBatchNoRule (FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter,FDetail) VALUES (2,312,23,0,'yymmdd','',6,'','',1)
INSERT INTO ICBatchNoRule (FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter,FDetail) VALUES (3,312,26,0,'','1',4,'','',1)
INSERT INTO ICBatchNoRule (FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter,FDetail) VALUES (1,313,4,1,'','',6,'0','',1)
INSERT INTO ICBatchNoRule (FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter,FDetail) VALUES (2,313,23,0,'yymmdd','',6,'','',1)
INSERT INTO ICBatchNoRule (FID,FItemID,FPropertyID,FUseShortNumber,FFormatDate,FSelDefine,FWidth,FCharacter,FSubCharacter,FDetail) VALUES (3,313,26,0,'','1',4,'','',1)
GO

DELETE FROM t_SystemProfile
INSERT INTO t_SystemProfile (FCategory,FKey,FValue,FReadonly,FDescription,FLevel,FExplanation,FFormat,FSort,FDescription_cht,FDescription_en) VALUES ('IC','AutoCreateBatNo','0',0,N'蓝字入库单批次号根据规则直接产生',0,N'蓝字入库单批次号根据规则直接产生',NULL,1,NULL,NULL)
INSERT INTO t_SystemProfile (FCategory,FKey,FValue,FReadonly,FDescription,FLevel,FExplanation,FFormat,FSort,FDescription_cht,FDescription_en) VALUES ('IC','BatchLackManual','0',0,N'编码信息不全时可做手工改变',0,N'编码信息不全时可做手工改变',NULL,1,NULL,NULL)
INSERT INTO t_SystemProfile (FCategory,FKey,FValue,FReadonly,FDescription,FLevel,FExplanation,FFormat,FSort,FDescription_cht,FDescription_en) VALUES ('IC','BatchManual','1',0,N'在单据上可手工改变批号',0,N'在单据上可手工改变批号',NULL,1,NULL,NULL)
INSERT INTO t_SystemProfile (FCategory,FKey,FValue,FReadonly,FDescription,FLevel,FExplanation,FFormat,FSort,FDescription_cht,FDescription_en) VALUES ('IC','BatchRepeatEcho','1',0,N'批号重复给予提示',0,N'批号重复给予提示',NULL,1,NULL,NULL)
GO

DELETE FROM t_UserGroupAccess
INSERT INTO t_UserGroupAccess (FUserID,FGroupNumber) VALUES (16394,'*')
INSERT INTO t_UserGroupAccess (FUserID,FGroupNumber) VALUES (16395,'01.01')
INSERT INTO t_UserGroupAccess (FUserID,FGroupNumber) VALUES (16395,'03.02')
GO
