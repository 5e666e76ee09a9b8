#include "formats/png/PngErrorHandler.h"

#include <cstring>

namespace s::image::png::win {

PngErrorHandler* PngErrorHandler::from(png_structp png) {
    return static_cast<PngErrorHandler*>(png_get_error_ptr(png));
}

void PngErrorHandler::keep(png_const_charp text) {
    if (!text) text = "";
    std::strncpy(message_, text, sizeof(message_) - 1);
    message_[sizeof(message_) - 1] = '\0';
}

void PngErrorHandler::onError(png_structp png, png_const_charp message) {
    if (PngErrorHandler* self = from(png)) self->keep(message);
    png_longjmp(png, 1);
}

void PngErrorHandler::onWarning(png_structp png, png_const_charp message) {
    if (PngErrorHandler* self = from(png)) self->keep(message);
}

}  // namespace s::image::png::win
