// placeholder until the pictures exist
