#pragma once
// The store in which a host keeps the persisted properties of a control:
// named values, names matched without regard to case. A value equal to its
// default need not be stored, so reading falls back to the default.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <utility>

class PropertyBag {
public:
    QVariant read(const QString &name, const QVariant &defaultValue) const;
    void write(const QString &name, const QVariant &value, const QVariant &defaultValue);
    bool contains(const QString &name) const;
    // Names in the order they were first written.
    QStringList names() const;

private:
    int indexOf(const QString &name) const;
    QVector<std::pair<QString, QVariant>> m_entries;
};
