#pragma once
// The parameter table: named text settings with fixed keys, shown and edited on the tab
// "パラメータ設定". The value "Dummy Data" means "not set".
#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>

namespace lark::platform {
class IniStore;
}

namespace lark::shell {

inline const QString kDummyData = QStringLiteral("Dummy Data");

class ParameterTable : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ParameterTable(QObject* parent = nullptr);

    // The keys in table order, and the text each row is designed with.
    static QStringList keys();
    static QString initialText(const QString& key);

    // Value of a row; "" for a key that is not in the table.
    QString value(const QString& key) const;
    // Replaces the value of a row; unknown keys are ignored.
    void setValue(const QString& key, const QString& value);
    bool contains(const QString& key) const;

    // True when the value is "Dummy Data" (exact) or empty.
    static bool isNotSet(const QString& value) { return value.isEmpty() || value == kDummyData; }
    // The common not-set rule: when the row reads "Dummy Data" or is empty, write fallback into
    // the table; return the (possibly new) value.
    QString valueOrSet(const QString& key, const QString& fallback);

    // Section Condition, one key per row, default "Dummy Data".
    void readFrom(const platform::IniStore& ini);
    void writeTo(platform::IniStore& ini) const;

    // Model: column 0 key (read-only), column 1 value (editable).
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    void valueChanged(const QString& key, const QString& value);

private:
    int rowOf(const QString& key) const;
    struct Row {
        QString key;
        QString value;
    };
    QList<Row> m_rows;
};

} // namespace lark::shell
