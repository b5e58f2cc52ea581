#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include "pictures/JpegEncoder.h"

namespace vornik {

namespace {

// libjpeg's default error handler calls exit(); this one jumps back to the encoder with the
// message instead. Nothing between setjmp and longjmp owns a C++ object, so jumping is safe.
struct JpegJob {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
};

extern "C" void JpegErrorExit(j_common_ptr cinfo) {
    JpegJob* job = static_cast<JpegJob*>(cinfo->client_data);
    (*cinfo->err->format_message)(cinfo, job->message);
    std::longjmp(job->jump, 1);
}

// Warnings would go to stderr; the picture is written all the same.
extern "C" void JpegQuietMessage(j_common_ptr) {}

// C-style on purpose: the only locals are plain pointers into the job, which lives in the caller.
bool CompressToMemory(JpegJob* job, const unsigned char* rgb, int width, int height) {
    job->cinfo.err = jpeg_std_error(&job->err);
    job->err.error_exit = JpegErrorExit;
    job->err.output_message = JpegQuietMessage;
    job->cinfo.client_data = job;
    if (setjmp(job->jump)) {
        jpeg_destroy_compress(&job->cinfo);
        return false;
    }
    jpeg_create_compress(&job->cinfo);
    jpeg_mem_dest(&job->cinfo, &job->buffer, &job->size);
    job->cinfo.image_width = static_cast<JDIMENSION>(width);
    job->cinfo.image_height = static_cast<JDIMENSION>(height);
    job->cinfo.input_components = 3;
    job->cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&job->cinfo);
    job->cinfo.dct_method = JDCT_FLOAT;
    jpeg_set_quality(&job->cinfo, kJpegQuality, TRUE);
    jpeg_start_compress(&job->cinfo, TRUE);
    const std::size_t stride = static_cast<std::size_t>(width) * 3;
    while (job->cinfo.next_scanline < job->cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb + job->cinfo.next_scanline * stride);
        jpeg_write_scanlines(&job->cinfo, &row, 1);
    }
    jpeg_finish_compress(&job->cinfo);
    jpeg_destroy_compress(&job->cinfo);
    return true;
}

}  // namespace

std::vector<std::uint8_t> EncodeJpeg(const RgbPicture& picture) {
    CheckPicture(picture);
    JpegJob job{};
    const bool ok = CompressToMemory(&job, picture.rgb.data(), picture.width, picture.height);
    std::vector<std::uint8_t> out;
    if (ok) {
        out.assign(job.buffer, job.buffer + job.size);
    }
    std::free(job.buffer);
    if (!ok) {
        throw std::runtime_error(std::string("JPEG encoding failed: ") + job.message);
    }
    return out;
}

}  // namespace vornik
