set(TEST_LIBS tarvex::update)
