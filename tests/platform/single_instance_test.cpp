#include "platform/SingleInstance.h"

#include "platform/Delay.h"

#include <QUuid>

#include <gtest/gtest.h>

using lark::platform::SingleInstance;

TEST(SingleInstance, SecondStartAsksTheFirstToRaiseItsWindow)
{
    const QString key = QStringLiteral("test-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    SingleInstance first(key);
    ASSERT_TRUE(first.tryBecomePrimary());
    int raised = 0;
    QObject::connect(&first, &SingleInstance::raiseRequested, [&] { ++raised; });

    SingleInstance second(key);
    EXPECT_FALSE(second.tryBecomePrimary());
    // The answer needs the first one's event loop; run the notification beside it.
    bool answered = false;
    QMetaObject::invokeMethod(&second, [&] { answered = second.notifyPrimary(300); }, Qt::QueuedConnection);
    lark::platform::waitUntil([&] { return raised > 0; });
    EXPECT_EQ(raised, 1);

    SingleInstance other(key + QStringLiteral("-renamed"));
    EXPECT_TRUE(other.tryBecomePrimary()); // another program name runs independently
}
