// placeholder so the library has a source
