#include "records/record_table.h"

#include "records/windows1252.h"

#include <cstring>
#include <limits>

namespace {
constexpr qsizetype MaxBytes = std::numeric_limits<quint32>::max();
constexpr qsizetype MaxRows = std::numeric_limits<int>::max() - 1;
} // namespace

RecordTable::RecordTable()
    : m_headings{QString(), DateTimeHeading, T1Heading, T2Heading, DiffHeading} {}

QByteArrayView RecordTable::rawCell(int column, int row) const {
    if (column < 0 || column >= RecordColumnCount || row < 0 || row >= rowCount())
        return {};
    const qsizetype index = qsizetype(row) * RecordColumnCount + column;
    const qsizetype begin = index == 0 ? 0 : qsizetype(m_ends[index - 1]) + 1;
    const qsizetype end = m_ends[index];
    return QByteArrayView(m_bytes.constData() + begin, end - begin);
}

QByteArrayView RecordTable::tabbedRow(int row) const {
    if (row < 0 || row >= rowCount())
        return {};
    const qsizetype first = qsizetype(row) * RecordColumnCount;
    const qsizetype begin = first == 0 ? 0 : qsizetype(m_ends[first - 1]) + 1;
    const qsizetype end = qsizetype(m_ends[first + RecordColumnCount - 1]) + 1;
    return QByteArrayView(m_bytes.constData() + begin, end - begin);
}

QString RecordTable::cell(int column, int row) const {
    return Windows1252::decode(rawCell(column, row));
}

QString RecordTable::heading(int column) const {
    if (column < 0 || column >= RecordColumnCount)
        return {};
    return m_headings[column];
}

void RecordTable::setHeading(int column, const QString &text) {
    if (column >= 0 && column < RecordColumnCount)
        m_headings[column] = text;
}

bool RecordTable::canAppend(qsizetype bytes) const {
    return rowCount() < MaxRows && m_bytes.size() + bytes <= MaxBytes;
}

void RecordTable::rowAdded() {
    if (m_rowsAdded.armed && m_rowsAdded.call) {
        m_rowsAdded.armed = false;
        m_rowsAdded.call();
    }
}

bool RecordTable::appendRow(const RecordRow &cells) {
    std::array<QByteArray, RecordColumnCount> encoded;
    for (int c = 0; c < RecordColumnCount; ++c)
        encoded[c] = Windows1252::encode(cells[c]);
    return appendEncodedRow({encoded[0], encoded[1], encoded[2], encoded[3], encoded[4]});
}

bool RecordTable::appendEncodedRow(const std::array<QByteArrayView, RecordColumnCount> &cells) {
    qsizetype bytes = 0;
    bool aliased = false; // a cell of this very table: growing may move it
    const auto base = quintptr(m_bytes.constData());
    for (const QByteArrayView cell : cells) {
        bytes += cell.size();
        const auto at = quintptr(cell.data());
        aliased = aliased || (at >= base && at < base + quintptr(m_bytes.size()));
    }
    if (aliased) {
        const QByteArray own[] = {cells[0].toByteArray(), cells[1].toByteArray(),
                                  cells[2].toByteArray(), cells[3].toByteArray(),
                                  cells[4].toByteArray()};
        return appendEncodedRow({own[0], own[1], own[2], own[3], own[4]});
    }
    if (!canAppend(bytes + RecordColumnCount))
        return false;

    qsizetype end = m_bytes.size();
    m_bytes.resize(end + bytes + RecordColumnCount);
    char *data = m_bytes.data();
    for (const QByteArrayView cell : cells) {
        if (!cell.isEmpty())
            std::memcpy(data + end, cell.data(), size_t(cell.size()));
        end += cell.size();
        m_ends.push_back(quint32(end));
        data[end++] = '\t';
    }
    rowAdded();
    return true;
}

bool RecordTable::appendTabbedRow(QByteArrayView fields,
                                  const std::array<qsizetype, RecordColumnCount> &tabs) {
    if (!canAppend(fields.size()))
        return false;
    // One size change and one copy: this runs once per record of a loaded file.
    Q_ASSERT(fields.data() + fields.size() <= m_bytes.constData() ||
             fields.data() >= m_bytes.constData() + m_bytes.capacity());
    const qsizetype begin = m_bytes.size();
    m_bytes.resize(begin + fields.size());
    std::memcpy(m_bytes.data() + begin, fields.data(), size_t(fields.size()));
    const size_t first = m_ends.size();
    m_ends.resize(first + RecordColumnCount);
    for (size_t c = 0; c < RecordColumnCount; ++c)
        m_ends[first + c] = quint32(begin + tabs[c]);
    rowAdded();
    return true;
}

void RecordTable::clear() {
    m_bytes.clear();
    m_ends.clear();
}

void RecordTable::reserve(int moreRows, qsizetype moreBytes) {
    if (moreRows > 0)
        m_ends.reserve(m_ends.size() + size_t(moreRows) * RecordColumnCount);
    if (moreBytes > 0)
        m_bytes.reserve(m_bytes.size() + moreBytes);
}

void RecordTable::squeeze() {
    m_bytes.squeeze();
    m_ends.shrink_to_fit();
}

void RecordTable::trimUnused() {
    if (m_bytes.capacity() - m_bytes.size() > m_bytes.capacity() / 4)
        m_bytes.squeeze();
    if (m_ends.capacity() - m_ends.size() > m_ends.capacity() / 4)
        m_ends.shrink_to_fit();
}

qsizetype RecordTable::memoryBytes() const {
    qsizetype total = qsizetype(sizeof(*this)) + m_bytes.capacity() +
                      qsizetype(m_ends.capacity() * sizeof(quint32));
    for (const QString &heading : m_headings)
        total += heading.capacity() * qsizetype(sizeof(QChar));
    return total;
}

void RecordTable::setRowsAddedCallback(std::function<void()> callback) {
    m_rowsAdded.call = std::move(callback);
}
