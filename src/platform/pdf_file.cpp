// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/pdf_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QPageSize>
#include <QPdfWriter>

#include "core/settings/atomic_file.h"
#include "platform/painter_page_target.h"

namespace krnz::platform {

void writePdfFile(const std::filesystem::path& path, const std::string& title,
                  const std::string& creator,
                  const std::function<void(report::PageTarget&)>& compose) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolutionDpi);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setTitle(QString::fromStdString(title));
        writer.setCreator(QString::fromStdString(creator));
        PainterPageTarget target(writer);
        compose(target);
    }
    settings::writeFileAtomically(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace krnz::platform
