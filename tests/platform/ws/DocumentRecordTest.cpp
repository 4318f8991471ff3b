#include <gtest/gtest.h>

#include "platform/ws/headless/HeadlessWidgetSet.h"

TEST(DocumentRecord, OpenedDocumentIsRecordedWithItsPathAndNothingIsStarted) {
  THeadlessScope operatorScope;
  ShellOpenDocument("/tmp/reports/Stock 1.html");
  const TOperatorRecord& record = operatorScope.Record();
  ASSERT_EQ(record.Count(), 1);
  EXPECT_EQ(record[0].Kind, TRecordKind::Document);
  EXPECT_EQ(record[0].Text, "/tmp/reports/Stock 1.html");
  EXPECT_EQ(record.Text(), "document: \"/tmp/reports/Stock 1.html\"\n");
}
