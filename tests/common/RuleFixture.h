#pragma once

#include "Fakes.h"
#include "GLB.h"
#include "MMTS.h"
#include "PropertyCatalogue.h"
#include "RecordingConnection.h"
#include "TempDatabase.h"

#include <gtest/gtest.h>

// A thread set up as the main window leaves it: host components on a
// temporary demo database, the session parsed, the catalogue loaded, and the
// host connection recording every batch on its way to the database.
class RuleFixture : public testing::Test {
protected:
    explicit RuleFixture(const QString& props = "UserID=16394;LANGUAGE=chs;SUBID=IC")
    {
        ResetModuleState();
        db.RegisterAsHost(props);
        connection = std::make_shared<RecordingConnection>(std::shared_ptr<AppConnection>(&db.Connection(), [](auto*) {}));
        CurrentModuleState().hostConnection = connection;
        MMTS::ParsePropsString(MMTS::GetPropsString());
        LoadingPropertyList();
    }

    QStringList Messages() const
    {
        QStringList texts;
        for (const auto& shown : RecordingMessageBox::shown)
            texts << shown.text;
        return texts;
    }

    // "FItemID:FDetail:properties" of every rule, owners in order.
    QString Rules()
    {
        return db.Rows("SELECT FItemID || ':' || FDetail || ':' || group_concat(FPropertyID) FROM "
                       "(SELECT * FROM ICBatchNoRule ORDER BY FItemID,FDetail,FID) GROUP BY FItemID,FDetail "
                       "ORDER BY FItemID,FDetail")
            .replace('\n', ' ');
    }

    TempDatabase db;
    std::shared_ptr<RecordingConnection> connection;
};
